#include "reminders/reminder_settings.h"

#include "store/data_file.h"
#include "store/number_text.h"

namespace velorine::reminders {

int horizonIn(const store::IniDocument& snapshot) {
    return store::integerFromText(snapshot.read("Rappel", "Jours", "7", 10));
}

bool nameDayRemindersIn(const store::IniDocument& snapshot) {
    return snapshot.read("Options", "RappelFete", "0", 2) != "0";
}

bool notificationRemindersIn(const store::IniDocument& snapshot) {
    return snapshot.read("Options", "Notification", "0", 2) == "1";
}

store::Result<> storeNotificationReminders(const std::string& dataFilePath, bool on) {
    return store::writeValue(dataFilePath, "Options", "Notification", on ? "1" : "0");
}

}  // namespace velorine::reminders
