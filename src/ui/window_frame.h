#pragma once
// The frame the window manager draws around a window (title bar and borders), known before the
// window first appears, so that it can be placed frame included from its first showing and never
// moves when it is placed again once the frame is drawn.
//
// Once the frame is drawn it is the one Qt reports. Before, on X11, the window manager is asked
// for the frame it will give (the window is created for that, not shown) and the answer is awaited
// a short while; a window manager that does not answer, or none at all, gives no frame. Elsewhere
// (Wayland, offscreen) a frame not drawn yet counts as none.

#include <QMargins>

class QWidget;

namespace velorine::ui {

QMargins frameMarginsOf(QWidget& window);

}  // namespace velorine::ui
