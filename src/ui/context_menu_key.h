#pragma once
// Shift+F10 opens the context menu of the control that has the focus, as the Menu key does: not
// every keyboard has a Menu key, and the desktops give Shift+F10 that meaning.
//
// openContextMenusWithShiftF10() watches the keys of the whole application (once however often it
// is called); a control without a menu of its own passes the request to its parent, as it does for
// the Menu key and the right button.

namespace velorine::ui {

void openContextMenusWithShiftF10();

}  // namespace velorine::ui
