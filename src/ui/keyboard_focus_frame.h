#pragma once
// A visible focus for controls that draw none of their own (the flat buttons, the banner, the
// date block, pictures and labels one can act on).
//
// drawKeyboardFocus(widget): while the widget holds the focus and the keyboard has moved the focus
// in its window (Tab, a shortcut), a dotted black-and-white frame surrounds it, two pixels wide,
// just outside its edges. A user of the mouse alone never sees it, as Qt's own widgets show their
// focus only then. The frame follows the widget, lets the mouse through and is no part of what
// screen readers read.

class QWidget;

namespace velorine::ui {

void drawKeyboardFocus(QWidget& widget);

// The frame now drawn around the widget, or nullptr: for tests.
const QWidget* keyboardFocusFrameOf(const QWidget& widget);

}  // namespace velorine::ui
