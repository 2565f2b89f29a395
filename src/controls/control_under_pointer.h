#pragma once

#include <QPoint>

class QWidget;

namespace velorine::controls {

// The topmost visible, enabled child of `parent` whose rectangle holds `position` (in the
// parent's coordinates), or null. Disabled children are looked through, not stopped at.
QWidget* ControlUnderPointer(const QWidget& parent, QPoint position);

}  // namespace velorine::controls
