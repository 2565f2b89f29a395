#pragma once
// Where windows go when they appear: the main window in the middle of its screen, a dialog in the
// middle of the main window. Halves are rounded toward zero, so a dialog larger than its owner
// sticks out by the same amount on both sides, give or take a pixel.

#include <QPoint>
#include <QRect>
#include <QSize>

class QWidget;

namespace velorine::ui {

// The top-left corner that puts `inner` in the middle of `outer`.
QPoint centredTopLeft(const QRect& outer, const QSize& inner);

void centreOnScreen(QWidget& window);
void centreOver(QWidget& dialog, const QWidget& owner);

}  // namespace velorine::ui
