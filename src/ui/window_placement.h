#pragma once
// Where windows appear: the window manager's frame known in advance, and the centring that uses it.
//
// The frame the window manager draws around a window (title bar and borders), known before the
// window first appears, so that it can be placed frame included from its first showing and never
// moves when it is placed again once the frame is drawn.
//
// Once the frame is drawn it is the one Qt reports. Before, on X11, the window manager is asked
// for the frame it will give (the window is created for that, not shown) and the answer is awaited
// a short while; a window manager that does not answer, or none at all, gives no frame. Elsewhere
// (Wayland, offscreen) a frame not drawn yet counts as none.

#include <QMargins>
#include <QPoint>
#include <QRect>
#include <QSize>

class QWidget;

namespace velorine::ui {

QMargins frameMarginsOf(QWidget& window);

// Where windows go when they appear: the main window in the middle of its screen, a dialog in the
// middle of the main window, each frame included. Halves are rounded toward zero, so a dialog
// larger than its owner sticks out by the same amount on both sides, give or take a pixel.
//
// The frame is the window manager's (above), known before a window first appears: a
// window centred before and after its frame is drawn lands on the same place, and never jumps
// when it is centred again.

// The top-left corner that puts `inner` in the middle of `outer`.
QPoint centredTopLeft(const QRect& outer, const QSize& inner);
// The place of a window's inside (`client`) that puts it, with its frame, in the middle of `outer`.
QRect centredClientArea(const QRect& outer, const QSize& client, const QMargins& frame);

void centreOnScreen(QWidget& window);
void centreOver(QWidget& dialog, QWidget& owner);

}  // namespace velorine::ui
