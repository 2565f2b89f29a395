#include "controls/button_parts.h"

#include <QPainter>

#include <functional>

#include "controls/button_layout.h"

namespace velorine::controls {

namespace {

using DrawAt = std::function<void(QPoint offset, const QColor& colour)>;

void DrawMaybeEngraved(bool disabled, const QColor& colour, const DrawAt& draw) {
    if (disabled) {
        draw({1, 1}, Qt::white);
        draw({0, 0}, QColor(128, 128, 128));
    } else {
        draw({0, 0}, colour);
    }
}

}  // namespace

void DrawCaption(QPainter& painter, const QRect& box, const QString& caption, bool wordWrap, bool disabled,
                 const QColor& colour) {
    DrawMaybeEngraved(disabled, colour, [&](QPoint offset, const QColor& c) {
        painter.setPen(c);
        painter.drawText(box.translated(offset), Qt::AlignCenter | CaptionTextFlags(wordWrap), caption);
    });
}

void DrawDropDownArrow(QPainter& painter, QPoint at, bool pointingRight, bool disabled) {
    DrawMaybeEngraved(disabled, Qt::black, [&](QPoint offset, const QColor& c) {
        const QPoint first = at + offset + QPoint(3, 2);
        for (int i = 0; i < 4; ++i) {
            const int length = 7 - 2 * i;
            if (pointingRight) {
                painter.fillRect(first.x() + i, first.y() + i, 1, length, c);
            } else {
                painter.fillRect(first.x() + i, first.y() + i, length, 1, c);
            }
        }
    });
}

}  // namespace velorine::controls
