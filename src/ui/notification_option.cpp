#include "ui/notification_option.h"

#include <QAction>

#include "reminders/reminder_settings.h"
#include "ui/user_dialogs.h"

namespace velorine::ui {

void notificationOptionChosen(RunContext& context, QAction& item) {
    const bool on = item.isChecked();
    if (const store::Result<> stored = reminders::storeNotificationReminders(context.startup.dataFilePath, on);
        !stored) {
        item.setChecked(!on);
        reportWriteFailure(context.dialogs, QStringLiteral("Votre choix n'a pas pu être enregistré dans le fichier"),
                           context.startup.dataFilePath, stored.failure());
        return;
    }
    context.startup.notificationReminders = on;
}

}  // namespace velorine::ui
