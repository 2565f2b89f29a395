#include "ui/keyboard_focus_frame.h"

#include <QEvent>
#include <QFocusFrame>
#include <QPainter>
#include <QPointer>

namespace velorine::ui {
namespace {

const QString kWatcherName = QStringLiteral("velorineKeyboardFocus");

// Qt's focus frame places itself around its widget, above it, and leaves screen readers and the
// mouse alone; only the drawing is the program's, the same on every style.
class FocusRing final : public QFocusFrame {
public:
    using QFocusFrame::QFocusFrame;

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        const QRect outer = rect().adjusted(0, 0, -1, -1);
        painter.setPen(QPen(Qt::white, 1));
        painter.drawRect(outer);
        painter.drawRect(outer.adjusted(1, 1, -1, -1));
        painter.setPen(QPen(Qt::black, 1, Qt::DotLine));
        painter.drawRect(outer);
        painter.drawRect(outer.adjusted(1, 1, -1, -1));
    }
};

class FocusWatcher final : public QObject {
public:
    explicit FocusWatcher(QWidget& widget) : QObject(&widget), widget_(widget) {
        setObjectName(kWatcherName);
        widget.installEventFilter(this);
    }

    const QWidget* frame() const { return ring_ && ring_->isVisible() ? ring_.data() : nullptr; }

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::FocusIn && widget_.window()->testAttribute(Qt::WA_KeyboardFocusChange)) {
            if (!ring_) ring_ = new FocusRing(widget_.parentWidget());
            ring_->setWidget(&widget_);
        } else if (event->type() == QEvent::FocusOut && ring_) {
            ring_->setWidget(nullptr);
        }
        return false;
    }

private:
    QWidget& widget_;
    QPointer<FocusRing> ring_;
};

// The watcher has no meta-object of its own: it is found by its name.
const FocusWatcher* watcherOf(const QWidget& widget) {
    return static_cast<const FocusWatcher*>(widget.findChild<QObject*>(kWatcherName, Qt::FindDirectChildrenOnly));
}

}  // namespace

void drawKeyboardFocus(QWidget& widget) {
    if (!watcherOf(widget)) new FocusWatcher(widget);
}

const QWidget* keyboardFocusFrameOf(const QWidget& widget) {
    const FocusWatcher* watcher = watcherOf(widget);
    return watcher ? watcher->frame() : nullptr;
}

}  // namespace velorine::ui
