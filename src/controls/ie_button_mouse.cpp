#include <QCursor>
#include <QMenu>
#include <QMouseEvent>

#include "controls/control_under_pointer.h"
#include "controls/ie_button.h"

namespace velorine::controls {

void TIEButton::mousePressEvent(QMouseEvent* event) {
    emit OnMouseDown(event->button(), event->modifiers(), event->position().toPoint());
    if (isEnabled() && event->button() == Qt::LeftButton) {
        pressed_ = true;
    }
    UpdateState();
    if (pressed_ && dropDownMenu_ && groupIndex_ == 0) {
        openDropDownMenu();
    }
}

void TIEButton::openDropDownMenu() {
    const QPoint corner = dropDownArrowHorz_ ? QPoint(width(), 0) : QPoint(0, height());
    const QPointer<TIEButton> alive(this);
    const QPointer<QMenu> menu(dropDownMenu_);
    // The click that closes the menu is used up by closing it: it must not press anything again.
    const bool replayedBefore = !menu->testAttribute(Qt::WA_NoMouseReplay);
    menu->setAttribute(Qt::WA_NoMouseReplay);
    menu->exec(mapToGlobal(corner));
    if (menu) {
        menu->setAttribute(Qt::WA_NoMouseReplay, !replayedBefore);
    }
    if (!alive) {
        return;  // a menu command closed the window that held the button
    }
    pressed_ = false;
    mouseInside_ = rect().contains(mapFromGlobal(QCursor::pos()));
    UpdateState();
}

void TIEButton::mouseMoveEvent(QMouseEvent* event) {
    const QPoint position = event->position().toPoint();
    emit OnMouseMove(event->buttons(), event->modifiers(), position);
    followPointer(position);
}

void TIEButton::followPointer(QPoint position) {
    QWidget* under = parentWidget() != nullptr ? ControlUnderPointer(*parentWidget(), mapToParent(position))
                                               : (rect().contains(position) ? this : nullptr);
    if (pressed_) {
        TIEButton* other = under != this ? qobject_cast<TIEButton*>(under) : nullptr;
        if (lastEntered_ && lastEntered_ != other) {
            lastEntered_->pointerLeft();
        }
        if (other != nullptr) {
            other->pointerEntered();
        }
        lastEntered_ = other;
    }
    // Qt reports no enter or leave while a press is held, and the press keeps every move for this
    // button: it follows the pointer itself.
    const bool over = under == this;
    if (over && !mouseInside_) {
        pointerEntered();
    } else if (!over && mouseInside_) {
        pointerLeft();
    }
}

void TIEButton::mouseReleaseEvent(QMouseEvent* event) {
    emit OnMouseUp(event->button(), event->modifiers(), event->position().toPoint());
    if (event->button() != Qt::LeftButton) {
        return;
    }
    if (pressed_) {
        pressed_ = false;
        if (mouseInside_ && groupIndex_ != 0) {
            SetDown(!down_);
        }
        UpdateState();
    }
    if (isEnabled() && !dropDownMenu_) {
        Click();
    }
}

}  // namespace velorine::controls
