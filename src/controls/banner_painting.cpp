#include <QPainter>

#include "controls/banner.h"

namespace velorine::controls {

void TBanner::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    if (noGap_) {
        PaintWithoutGap(painter);
    } else {
        PaintWithGap(painter);
    }
}

void TBanner::PaintWithGap(QPainter& painter) { paintFrame(painter, false); }

void TBanner::PaintWithoutGap(QPainter& painter) { paintFrame(painter, true); }

void TBanner::paintFrame(QPainter& painter, bool noGap) {
    if (content_.isNull() || isHidden()) {
        painter.fillRect(rect(), Color());
        return;
    }
    // The whole frame is composed off screen and put on the screen in one operation: no flicker.
    QImage frame(size(), QImage::Format_RGB32);
    frame.fill(Color());
    {
        QPainter framePainter(&frame);
        const auto copies = ContentCopies(direction_, noGap, size(), content_.size(), position_);
        for (const QPoint corner : copies) {
            framePainter.drawImage(corner, content_);
        }
    }
    painter.drawImage(0, 0, frame);
}

}  // namespace velorine::controls
