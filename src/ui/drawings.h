#pragma once
// The program's drawings (resources/pictures/drawings/*.svg, embedded in the binary) drawn for a
// device pixel ratio, so that every picture uses the screen's own pixels at any scale.

#include <QImage>
#include <QSize>
#include <QSizeF>
#include <QString>

namespace velorine::ui {

// The size a drawing states for itself, in logical pixels; empty for an unknown name.
QSizeF drawingSize(const QString& name);

// Drawing `name` fitted into `size` (logical pixels, proportions kept, centred), drawn for `ratio`:
// an image of size × ratio pixels, rounded up, whose devicePixelRatio is `ratio`, transparent
// where nothing is drawn. Null for an unknown name or a drawing that cannot be read.
QImage renderDrawing(const QString& name, QSizeF size, qreal ratio);

// A strip of square images side by side, as tall as the drawing: image k is drawn whole into its
// own square of round-up(height × ratio) pixels, so that the strip divides into equal squares
// at any ratio. Null as above.
QImage renderDrawingStrip(const QString& name, qreal ratio);

}  // namespace velorine::ui
