#pragma once
// "Me rappeler par une notification du bureau": the check mark, in the list window's Options menu and
// in the reminder window's context menu, of Options/Notification. Ticked, the automatic start
// reminds by a desktop notification instead of the reminder window.

#include <QString>

#include "ui/run_context.h"

class QAction;

namespace velorine::ui {

inline const QString kNotificationOptionText = QStringLiteral("Me rappeler par une notification du bureau");

// Stores the item's new mark and makes it the run's. When it cannot be stored, the user is told why
// and the mark goes back to what the file still says.
void notificationOptionChosen(RunContext& context, QAction& item);

}  // namespace velorine::ui
