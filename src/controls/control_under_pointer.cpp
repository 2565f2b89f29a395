#include "controls/control_under_pointer.h"

#include <QWidget>

namespace velorine::controls {

QWidget* ControlUnderPointer(const QWidget& parent, QPoint position) {
    // Children are kept in stacking order, the topmost last.
    const QObjectList& children = parent.children();
    for (auto child = children.crbegin(); child != children.crend(); ++child) {
        auto* widget = qobject_cast<QWidget*>(*child);
        if (widget != nullptr && !widget->isWindow() && !widget->isHidden() && widget->isEnabled() &&
            widget->geometry().contains(position)) {
            return widget;
        }
    }
    return nullptr;
}

}  // namespace velorine::controls
