#pragma once

// Content images the banner renders from text, once per content change: scrolling then only
// copies rectangles of them.

#include <QColor>
#include <QFont>
#include <QImage>
#include <QString>
#include <QStringList>

#include "controls/banner_types.h"

namespace velorine::controls {

// `pixelRatio` is the device pixel ratio the image is drawn for: at 2, it holds twice as many
// pixels each way for the same size, and the text is drawn with all of them.
struct TextLook {
    QFont font;
    QColor text;
    QColor background;
    qreal pixelRatio = 1;
};

// An image's size on the screen: its pixels divided by the device pixel ratio it was drawn for.
QSize LogicalSize(const QImage& image);

// The text on one line, in an image exactly as wide as the text and as tall as the font.
// Empty text (or text of no width) gives a null image.
QImage RenderOneLine(const QString& text, const TextLook& look);

// Every line in turn at the pitch of "Xj", each aligned within the widest line. The image is
// null when no line has any width.
QImage RenderLineList(const QStringList& lines, TAlignment align, const TextLook& look);

// Left edge of a line of `lineWidth` aligned within `widestWidth`; centring rounds toward zero,
// so an odd leftover pixel goes to the right.
int AlignedLineX(TAlignment align, int widestWidth, int lineWidth);

}  // namespace velorine::controls
