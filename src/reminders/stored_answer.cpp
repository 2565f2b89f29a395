#include "reminders/stored_answer.h"

#include "reminders/reminder_answers.h"

namespace velorine::reminders {

bool storeAnswer(ReminderAnswer answer, const std::string& dataFilePath, const store::CalendarDate& today,
                 const std::vector<ReminderEntry>& entries, store::WriteFailure* failure) {
    switch (answer) {
        case ReminderAnswer::KeepReminding: return keepReminding(dataFilePath, today, failure);
        case ReminderAnswer::NotBeforeNextBirthday: return holdBackUntilNextBirthday(dataFilePath, entries, failure);
        case ReminderAnswer::QuietUntilTomorrow: return quietUntilTomorrow(dataFilePath, today, failure);
    }
    return false;
}

}  // namespace velorine::reminders
