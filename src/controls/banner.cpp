#include "controls/banner.h"

#include <QAccessible>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QMetaMethod>
#include <QMouseEvent>
#include <QPainter>
#include <QPalette>
#include <QTimer>

#include <algorithm>

#include "controls/controls_accessibility.h"

namespace velorine::controls {

BannerContentError::BannerContentError() : std::runtime_error("Assign a bitmap or text to banner before enabling") {}

TBanner::TBanner(QWidget* parent) : QWidget(parent), timer_(new QTimer(this)) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::NoFocus);
    resize(100, 100);
    InstallControlsAccessibility();
    timer_->setTimerType(Qt::PreciseTimer);
    timer_->setInterval(200);
    connect(timer_, &QTimer::timeout, this, &TBanner::ScrollTick);
}

TBanner::~TBanner() = default;

void TBanner::Loaded() {
    loading_ = false;
    if (!scrollText_.isEmpty()) {
        renderScrollText(scrollText_);
    }
    if (!lines_.isEmpty()) {
        RenderLines();
    }
    if (autoEnable_ && content_.height() > 0) {
        SetEnabled(true);
    }
}

void TBanner::SetBitmap(const QImage& picture) {
    content_ =
        picture.convertToFormat(picture.hasAlphaChannel() ? QImage::Format_ARGB32_Premultiplied : QImage::Format_RGB32);
    scrollText_.clear();
    lines_.clear();
    if (autoEnable_ && content_.width() != 0) {
        SetEnabled(true);
    }
}

void TBanner::SetEnabled(bool enabled) { changeEnabled(enabled, Rerender::Allowed); }

void TBanner::changeEnabled(bool enabled, Rerender rerender) {
    if (loading_) {
        return;
    }
    if (enabled && content_.isNull()) {
        if (rerender == Rerender::Allowed && !lines_.isEmpty()) {
            RenderLines();
        } else if (rerender == Rerender::Allowed && !scrollText_.isEmpty()) {
            renderScrollText(scrollText_);
        }
        if (content_.isNull()) {
            throw BannerContentError();
        }
    }
    if (!enabled && hasGeneratedContent()) {
        content_ = QImage();
    }
    enabled_ = enabled;
    updateTimer();
    if (enabled) {
        emit OnEnable();
    } else {
        emit OnDisable();
    }
}

void TBanner::SetLines(const QStringList& lines) {
    lines_ = lines;
    RenderLines();
    textChanged();
}

void TBanner::SetLinesAlign(TAlignment align) {
    if (align == linesAlign_) {
        return;
    }
    linesAlign_ = align;
    if (!lines_.isEmpty()) {
        RenderLines();
    }
}

void TBanner::SetScrollDirection(TScrollDirection direction) {
    if (direction == direction_) {
        return;
    }
    position_ = PositionAfterTurn(position_, direction_, direction, LogicalSize(content_), size());
    direction_ = direction;
}

std::uint16_t TBanner::ScrollInterval() const { return static_cast<std::uint16_t>(timer_->interval()); }

void TBanner::SetScrollInterval(std::uint16_t interval) {
    if (interval == ScrollInterval()) {
        return;
    }
    timer_->setInterval(interval);
    updateTimer();
}

void TBanner::SetScrollText(const QString& text) {
    renderScrollText(text);
    textChanged();
}

void TBanner::textChanged() {
    QAccessibleEvent named(this, QAccessible::NameChanged);
    QAccessible::updateAccessibility(&named);
}

bool TBanner::HasClickHandler() const { return isSignalConnected(QMetaMethod::fromSignal(&TBanner::OnClick)); }

QColor TBanner::Color() const { return palette().color(QPalette::Window); }

void TBanner::SetColor(const QColor& color) {
    QPalette colours = palette();
    colours.setColor(QPalette::Window, color);
    setPalette(colours);
}

void TBanner::renderScrollText(const QString& text) {
    changeEnabled(false, Rerender::Forbidden);
    lines_.clear();
    content_ = RenderOneLine(text, textLook());
    scrollText_ = text;
    if (autoEnable_) {
        changeEnabled(true, Rerender::Forbidden);
    }
}

void TBanner::RenderLines() {
    const bool wasEnabled = enabled_;
    changeEnabled(false, Rerender::Forbidden);
    scrollText_.clear();
    content_ = RenderLineList(lines_, linesAlign_, textLook());
    if (wasEnabled || autoEnable_) {
        changeEnabled(true, Rerender::Forbidden);
    }
}

TextLook TBanner::textLook() const {
    return {font(), palette().color(QPalette::WindowText), Color(), devicePixelRatioF()};
}

void TBanner::updateTimer() {
    // A timer of interval 0 would fire on every pass of the event loop: such a banner stays still.
    const bool run = enabled_ && timer_->interval() != 0;
    if (!run) {
        timer_->stop();
    } else if (!timer_->isActive()) {
        timer_->start();
    }
}

void TBanner::ScrollTick() {
    const int extent = ExtentAlong(direction_, LogicalSize(content_));
    position_ = static_cast<ScrollPosition>(position_ + pixels_);
    if (noGap_) {
        position_ = WrapIntoExtent(position_, extent);
    } else if (position_ > extent + ExtentAlong(direction_, size())) {
        if (onlyOnce_) {
            SetEnabled(false);
        } else {
            position_ = 0;
        }
    }
    // At once rather than queued, so that the speed follows the timer.
    repaint();
    emit OnScroll();
}

void TBanner::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        clickArmed_ = true;
    }
    emit OnMouseDown(event->button(), event->modifiers(), event->position().toPoint());
}

void TBanner::mouseReleaseEvent(QMouseEvent* event) {
    emit OnMouseUp(event->button(), event->modifiers(), event->position().toPoint());
    if (event->button() != Qt::LeftButton) {
        return;
    }
    const bool click = clickArmed_ && rect().contains(event->position().toPoint());
    clickArmed_ = false;
    if (click) {
        emit OnClick();
    }
}

void TBanner::mouseDoubleClickEvent(QMouseEvent* event) {
    // The second press of a double click is not a click of its own.
    emit OnDblClick();
    emit OnMouseDown(event->button(), event->modifiers(), event->position().toPoint());
}

void TBanner::mouseMoveEvent(QMouseEvent* event) {
    emit OnMouseMove(event->buttons(), event->modifiers(), event->position().toPoint());
}

void TBanner::keyPressEvent(QKeyEvent* event) {
    if (!IsActivationKey(*event)) {
        QWidget::keyPressEvent(event);
    } else if (!event->isAutoRepeat()) {
        emit OnClick();
    }
}

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

namespace {

QImage BlankImage(QSize size, const TextLook& look) {
    if (size.isEmpty()) {
        return {};
    }
    QImage image(size * look.pixelRatio, QImage::Format_RGB32);
    image.setDevicePixelRatio(look.pixelRatio);
    image.fill(look.background);
    return image;
}

void DrawLine(QPainter& painter, const QFontMetrics& metrics, int x, int top, const QString& text) {
    // The text's top sits at `top`: the baseline is one ascent lower.
    painter.drawText(QPoint(x, top + metrics.ascent()), text);
}

}  // namespace

QSize LogicalSize(const QImage& image) { return image.deviceIndependentSize().toSize(); }

QImage RenderOneLine(const QString& text, const TextLook& look) {
    const QFontMetrics metrics(look.font);
    QImage image = BlankImage({metrics.horizontalAdvance(text), metrics.height()}, look);
    if (!image.isNull()) {
        QPainter painter(&image);
        painter.setFont(look.font);
        painter.setPen(look.text);
        DrawLine(painter, metrics, 0, 0, text);
    }
    return image;
}

QImage RenderLineList(const QStringList& lines, TAlignment align, const TextLook& look) {
    const QFontMetrics metrics(look.font);
    int widest = 0;
    for (const QString& line : lines) {
        widest = std::max(widest, metrics.horizontalAdvance(line));
    }
    // Every single line, "Xj" included, is as tall as the font: that is the line pitch.
    const int pitch = metrics.height();
    QImage image = BlankImage({widest, static_cast<int>(lines.size()) * pitch}, look);
    if (!image.isNull()) {
        QPainter painter(&image);
        painter.setFont(look.font);
        painter.setPen(look.text);
        for (int i = 0; i < lines.size(); ++i) {
            const int x = AlignedLineX(align, widest, metrics.horizontalAdvance(lines[i]));
            DrawLine(painter, metrics, x, i * pitch, lines[i]);
        }
    }
    return image;
}

int AlignedLineX(TAlignment align, int widestWidth, int lineWidth) {
    switch (align) {
        case taLeftJustify: return 0;
        case taRightJustify: return widestWidth - lineWidth;
        case taCenter: return (widestWidth - lineWidth) / 2;
    }
    return 0;
}

int ExtentAlong(TScrollDirection direction, QSize size) {
    return IsHorizontal(direction) ? size.width() : size.height();
}

ScrollPosition WrapIntoExtent(ScrollPosition position, int extent) {
    if (extent <= 0 || position <= extent) {
        return position;
    }
    return static_cast<ScrollPosition>((position - 1) % extent + 1);
}

ScrollPosition PositionAfterTurn(ScrollPosition position, TScrollDirection from, TScrollDirection to, QSize content,
                                 QSize banner) {
    const bool sameAxis = IsHorizontal(from) == IsHorizontal(to);
    const int contentExtent = ExtentAlong(to, content);
    if (!sameAxis) {
        return static_cast<ScrollPosition>(contentExtent);
    }
    return static_cast<ScrollPosition>(contentExtent + ExtentAlong(to, banner) - position);
}

namespace {

QPoint FirstCopy(TScrollDirection direction, QSize banner, QSize content, int position) {
    switch (direction) {
        case sdRightToLeft: return {banner.width() - position, 0};
        case sdLeftToRight: return {position - content.width(), 0};
        case sdTopToBottom: return {0, position - content.height()};
        case sdBottomToTop: return {0, banner.height() - position};
    }
    return {};
}

// Copies follow the first one on the side it comes from.
QPoint StepToNextCopy(TScrollDirection direction, QSize content) {
    switch (direction) {
        case sdRightToLeft: return {-content.width(), 0};
        case sdLeftToRight: return {content.width(), 0};
        case sdTopToBottom: return {0, content.height()};
        case sdBottomToTop: return {0, -content.height()};
    }
    return {};
}

bool OverlapsAlongAxis(TScrollDirection direction, QPoint corner, QSize banner, QSize content) {
    const int start = IsHorizontal(direction) ? corner.x() : corner.y();
    return start < ExtentAlong(direction, banner) && start + ExtentAlong(direction, content) > 0;
}

}  // namespace

std::vector<QPoint> ContentCopies(TScrollDirection direction, bool noGap, QSize banner, QSize content,
                                  ScrollPosition position) {
    if (content.isEmpty()) {
        return {};
    }
    std::vector<QPoint> copies{FirstCopy(direction, banner, content, position)};
    if (!noGap) {
        return copies;
    }
    const QPoint step = StepToNextCopy(direction, content);
    for (QPoint corner = copies.front() + step; OverlapsAlongAxis(direction, corner, banner, content); corner += step) {
        copies.push_back(corner);
    }
    return copies;
}

}  // namespace velorine::controls
