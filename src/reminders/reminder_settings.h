#pragma once
// The settings of the data file that decide what the reminders cover and how the automatic start
// delivers them, read from a snapshot as every reader of them does.

#include <string>

#include "store/ini_document.h"
#include "store/failure.h"

namespace velorine::reminders {

// Rappel/Jours: the reminder horizon in days, "7" when absent, read into a 10-character buffer and
// converted as a plain integer (no digits give 0, a negative value means nothing is ever due).
int horizonIn(const store::IniDocument& snapshot);

// Options/RappelFete: name days are reminded unless its first character is "0"; absent reads "0",
// present but empty means yes.
bool nameDayRemindersIn(const store::IniDocument& snapshot);

// Options/Notification: the automatic start reminds by a desktop notification instead of the
// window when its first character is "1"; absent reads "0".
bool notificationRemindersIn(const store::IniDocument& snapshot);
// Writes Options/Notification, "1" or "0"; the cause when it could not be stored.
store::Result<> storeNotificationReminders(const std::string& dataFilePath, bool on);

}  // namespace velorine::reminders
