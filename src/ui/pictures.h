#pragma once
// The program's pictures, drawn from its drawings (below) for the density of the screen
// they are shown on: the program icon, the button glyphs, the cursor of the web-site link, the
// pictures of the reminder window and the about box's mail icon.

#include <QCursor>
#include <QIcon>
#include <QImage>
#include <QPixmap>
#include <QRect>
#include <QSize>
#include <QSizeF>
#include <QString>

#include <functional>

class QLabel;
class QPushButton;
class QWidget;

namespace velorine::ui {

// A glyph drawn from "<name>.svg" at every size and density asked, with a pale grey image for the
// disabled state.
QIcon twoImageGlyph(const QString& name);
// The party hat, at every size and density.
QIcon programIcon();
// "LienHtml": a pointing hand in front of a small envelope, 32 x 32, pointing with the fingertip.
QCursor linkCursor();
// The reminder window's pictures, numbered from 1 to kReminderPictureCount, each at its own size,
// drawn for the device pixel ratio `ratio`.
inline constexpr int kReminderPictureCount = 8;
QPixmap reminderPicture(int number, qreal ratio);
// The glyph strip of an answer of the reminder window ("answer_yes", "answer_no",
// "answer_tomorrow"): its normal image and its white-and-grey disabled image side by side, 18 x 18
// each (16 x 16 for the clock), on olive, the strip's transparent colour; drawn for `ratio`.
QImage answerGlyph(const QString& name, qreal ratio);
// A letter envelope with a stamp, 32 x 32, drawn for `ratio`.
QPixmap mailIcon(qreal ratio);

// Shows in `label` the pixmap `draw` gives for the label's device pixel ratio, and draws it again
// whenever the label is painted at another ratio (moved to a screen of another density). A second
// call replaces the first.
void showSharp(QLabel& label, std::function<QPixmap(qreal ratio)> draw);
// The icon at `size`, shown in `label` as showSharp does.
void showSharpIcon(QLabel& label, const QIcon& icon, QSize size);

// The program's drawings (resources/pictures/drawings/*.svg, embedded in the binary) drawn for a
// device pixel ratio, so that every picture uses the screen's own pixels at any scale.

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

// The push buttons of the program's dialogs, "OK" and "Annuler": a caption beside its glyph, drawn
// greyed when the button is disabled, at the place and size the dialog was designed with.

// `glyph` names the pair of pictures of twoImageGlyph (pictures.h); `name` is the object name.
QPushButton* addGlyphButton(QWidget* parent, const QString& name, const QString& text, const QString& glyph,
                            const QRect& geometry);

}  // namespace velorine::ui
