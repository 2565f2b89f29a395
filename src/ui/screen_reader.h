#pragma once
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

}  // namespace velorine::ui
