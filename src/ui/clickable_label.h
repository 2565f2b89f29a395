#pragma once
// ClickableLabel: a label the user acts on, a link or a picture one clicks.
//
// A release of the left button over it, or Space or Enter while it has the focus, raises
// activated(). It takes the focus from the keyboard only (Tab), never from the mouse, and then
// shows it with drawKeyboardFocus. Screen readers see it in the role given (a link, a push button,
// a picture), named by its accessible name, else its text, else its hint, with a press action that
// raises activated() from the event loop.

#include <QAccessible>
#include <QLabel>

namespace velorine::ui {

class ClickableLabel final : public QLabel {
    Q_OBJECT
public:
    ClickableLabel(QAccessible::Role role, QWidget* parent);

    QAccessible::Role screenReaderRole() const { return role_; }

signals:
    void activated();

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    QAccessible::Role role_;
};

}  // namespace velorine::ui
