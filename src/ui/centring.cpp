#include "ui/centring.h"

#include <QScreen>
#include <QWidget>

namespace velorine::ui {

QPoint centredTopLeft(const QRect& outer, const QSize& inner) {
    return {outer.left() + (outer.width() - inner.width()) / 2, outer.top() + (outer.height() - inner.height()) / 2};
}

void centreOnScreen(QWidget& window) {
    if (const QScreen* screen = window.screen())
        window.move(centredTopLeft(screen->geometry(), window.frameGeometry().size()));
}

void centreOver(QWidget& dialog, const QWidget& owner) {
    dialog.move(centredTopLeft(owner.frameGeometry(), dialog.frameGeometry().size()));
}

}  // namespace velorine::ui
