#pragma once
// Keyboard and screen readers: what readers see of the windows' plain containers, the focus frame
// of controls that draw none, labels one can click or press, and Shift+F10 for context menus.
//
// What screen readers see of the windows' plain containers, through Qt's accessibility (AT-SPI on
// Linux).
//
// A plain container is a QWidget, QFrame or QDialog, or a class of this layer made from one (the
// windows, TUpDown), for which Qt has no interface of its own. Each gets the interface Qt would
// give, with these differences:
// - a top-level plain QWidget is announced as a window (a frame), not as a filler, and a QFrame
//   inside a window as a group (a panel), not as a border that readers take for a window;
// - a child marked by hideFromScreenReaders() is left out of its children, with all it holds;
// - a role given by announceAs() replaces the default one.
// Marks and roles are read at every request, so they may be set at any time.

#include <QAccessible>
#include <QLabel>

class QToolButton;
class QWidget;

namespace velorine::ui {

// Installs the interfaces, once per process; the functions below do it themselves.
void installScreenReaderSupport();

// Leaves a shadow, a decoration or a copy of a text shown elsewhere out of what screen readers
// read, so that each text is read once. Its parent must be a plain container.
void hideFromScreenReaders(QWidget& widget);

// Gives a plain container the role screen readers announce (a tool bar, a status bar, a group).
void announceAs(QWidget& container, QAccessible::Role role);

// A tool button that shows a glyph alone: readers call it by its hint (its tooltip, read once), and
// their press clicks it from the event loop, as Qt does for push buttons, so that a modal window
// it opens does not hold the reader up until it closes.
void announceGlyphButton(QToolButton& button);

// A visible focus for controls that draw none of their own (the flat buttons, the banner, the
// date block, pictures and labels one can act on).
//
// drawKeyboardFocus(widget): while the widget holds the focus and the keyboard has moved the focus
// in its window (Tab, a shortcut), a dotted black-and-white frame surrounds it, two pixels wide,
// just outside its edges. A user of the mouse alone never sees it, as Qt's own widgets show their
// focus only then. The frame follows the widget, lets the mouse through and is no part of what
// screen readers read.

void drawKeyboardFocus(QWidget& widget);

// The frame now drawn around the widget, or nullptr: for tests.
const QWidget* keyboardFocusFrameOf(const QWidget& widget);

// ClickableLabel: a label the user acts on, a link or a picture one clicks.
//
// A release of the left button over it, or Space or Enter while it has the focus, raises
// activated(). It takes the focus from the keyboard only (Tab), never from the mouse, and then
// shows it with drawKeyboardFocus. Screen readers see it in the role given (a link, a push button,
// a picture), named by its accessible name, else its text, else its hint, with a press action that
// raises activated() from the event loop.

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

// Shift+F10 opens the context menu of the control that has the focus, as the Menu key does: not
// every keyboard has a Menu key, and the desktops give Shift+F10 that meaning.
//
// openContextMenusWithShiftF10() watches the keys of the whole application (once however often it
// is called); a control without a menu of its own passes the request to its parent, as it does for
// the Menu key and the right button.

void openContextMenusWithShiftF10();

}  // namespace velorine::ui
