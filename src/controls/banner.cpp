#include "controls/banner.h"

#include <QAccessible>
#include <QKeyEvent>
#include <QMetaMethod>
#include <QMouseEvent>
#include <QPalette>
#include <QTimer>

#include "controls/activation_keys.h"
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

}  // namespace velorine::controls
