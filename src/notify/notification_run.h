#pragma once
// The automatic start's reminder by a desktop notification, from shown to done: the bubble
// (reminder_bubble.h) shows the due lines, and the answer given from it is stored exactly as the
// reminder window stores its own (reminders/stored_answer.h). Closed or expired without an answer,
// or gone with its server, it leaves the data file as it is, as the window closed by its title bar
// does. When the answer cannot be stored, a message takes the bubble's place and says why: nothing
// was written, so the next start reminds again.

#include <QDBusConnection>
#include <QString>

#include <string>
#include <vector>

#include "reminders/reminder_engine.h"
#include "store/civil_calendar.h"

namespace velorine::notify {

struct NotificationRun {
    std::string dataFilePath;
    std::vector<reminders::ReminderEntry> entries;  // the reminder list of today, not empty
    store::TodayClock today;                        // the day of the answer
    QString keptFile;                               // kept_notification.h
};

enum class AfterNotification {
    EndRun,      // answered, closed, expired, gone with its server, or replaced by a later start
    ShowWindow,  // no server able to show it, or the bubble clicked: the reminder window is wanted
};

// Runs the event loop until the notification's end.
AfterNotification remindByNotification(QDBusConnection bus, const NotificationRun& run);

}  // namespace velorine::notify
