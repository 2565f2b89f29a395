#include "ui/centring.h"

#include <QScreen>
#include <QWidget>

#include "ui/window_frame.h"

namespace velorine::ui {
namespace {

// Placed by its inside, which Qt keeps where it is asked whether the frame is known yet or not.
void centreIn(QWidget& window, const QRect& outer) {
    window.setGeometry(centredClientArea(outer, window.size(), frameMarginsOf(window)));
}

}  // namespace

QPoint centredTopLeft(const QRect& outer, const QSize& inner) {
    return {outer.left() + (outer.width() - inner.width()) / 2, outer.top() + (outer.height() - inner.height()) / 2};
}

QRect centredClientArea(const QRect& outer, const QSize& client, const QMargins& frame) {
    const QPoint frameTopLeft = centredTopLeft(outer, client.grownBy(frame));
    return {frameTopLeft + QPoint(frame.left(), frame.top()), client};
}

void centreOnScreen(QWidget& window) {
    if (const QScreen* screen = window.screen()) centreIn(window, screen->geometry());
}

void centreOver(QWidget& dialog, QWidget& owner) {
    centreIn(dialog, owner.geometry().marginsAdded(frameMarginsOf(owner)));
}

}  // namespace velorine::ui
