#pragma once

// The caption and the drop-down arrow of a flat button. Disabled, both are drawn engraved:
// white one pixel right and down, then grey (128, 128, 128) in place.

#include <QColor>
#include <QPoint>
#include <QRect>
#include <QString>

class QPainter;

namespace velorine::controls {

// Centred in `box` on one line, or word-wrapped; the background is left as it is.
void DrawCaption(QPainter& painter, const QRect& box, const QString& caption, bool wordWrap, bool disabled,
                 const QColor& colour);

// A solid triangle of 7, 5, 3 and 1 pixels whose first pixel is at `at` + (3, 2): rows pointing
// down, or columns pointing right when `pointingRight`. Black when enabled.
void DrawDropDownArrow(QPainter& painter, QPoint at, bool pointingRight, bool disabled);

}  // namespace velorine::controls
