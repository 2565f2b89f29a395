#pragma once
// The answer to the reminders, whoever asked: the reminder window's buttons and the desktop
// notification's actions both store it here, so that either writes exactly the same keys
// (reminder_answers.h says which). One commit; the cause when it could not be written, the file
// then unchanged.

#include <string>
#include <vector>

#include "reminders/reminder_engine.h"
#include "store/dates.h"
#include "store/failure.h"

namespace velorine::reminders {

enum class ReminderAnswer {
    KeepReminding,          // "Oui"
    NotBeforeNextBirthday,  // "Non": the people of `entries` are held back
    QuietUntilTomorrow,     // "Demain"
};

// `today` is the real date of the answer; `entries` the reminder list the user was shown for it.
store::Result<> storeAnswer(ReminderAnswer answer, const std::string& dataFilePath, const store::CalendarDate& today,
                            const std::vector<ReminderEntry>& entries);

}  // namespace velorine::reminders
