#include <QPainter>

#include "controls/banner.h"
#include "controls/banner_rendering.h"

namespace velorine::controls {

void TBanner::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    if (noGap_) {
        PaintWithoutGap(painter);
    } else {
        PaintWithGap(painter);
    }
}

void TBanner::followDevicePixelRatio() {
    // Text is drawn again for the screen's density; a caller's picture stays as given.
    if (content_.devicePixelRatio() == devicePixelRatioF()) {
        return;
    }
    if (!scrollText_.isEmpty()) {
        content_ = RenderOneLine(scrollText_, textLook());
    } else if (!lines_.isEmpty()) {
        content_ = RenderLineList(lines_, linesAlign_, textLook());
    }
}

void TBanner::PaintWithGap(QPainter& painter) { paintFrame(painter, false); }

void TBanner::PaintWithoutGap(QPainter& painter) { paintFrame(painter, true); }

void TBanner::paintFrame(QPainter& painter, bool noGap) {
    if (content_.isNull() || isHidden()) {
        painter.fillRect(rect(), Color());
        return;
    }
    followDevicePixelRatio();
    // The whole frame is composed off screen and put on the screen in one operation: no flicker.
    const qreal ratio = devicePixelRatioF();
    QImage frame(size() * ratio, QImage::Format_RGB32);
    frame.setDevicePixelRatio(ratio);
    frame.fill(Color());
    {
        QPainter framePainter(&frame);
        const auto copies = ContentCopies(direction_, noGap, size(), LogicalSize(content_), position_);
        for (const QPoint corner : copies) {
            framePainter.drawImage(corner, content_);
        }
    }
    painter.drawImage(0, 0, frame);
}

}  // namespace velorine::controls
