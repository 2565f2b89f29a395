#pragma once
// Where windows go when they appear: the main window in the middle of its screen, a dialog in the
// middle of the main window, each frame included. Halves are rounded toward zero, so a dialog
// larger than its owner sticks out by the same amount on both sides, give or take a pixel.
//
// The frame is the window manager's (window_frame.h), known before a window first appears: a
// window centred before and after its frame is drawn lands on the same place, and never jumps
// when it is centred again.

#include <QMargins>
#include <QPoint>
#include <QRect>
#include <QSize>

class QWidget;

namespace velorine::ui {

// The top-left corner that puts `inner` in the middle of `outer`.
QPoint centredTopLeft(const QRect& outer, const QSize& inner);
// The place of a window's inside (`client`) that puts it, with its frame, in the middle of `outer`.
QRect centredClientArea(const QRect& outer, const QSize& client, const QMargins& frame);

void centreOnScreen(QWidget& window);
void centreOver(QWidget& dialog, QWidget& owner);

}  // namespace velorine::ui
