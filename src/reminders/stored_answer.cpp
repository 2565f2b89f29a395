#include "reminders/stored_answer.h"

#include "reminders/reminder_answers.h"

namespace velorine::reminders {

store::Result<> storeAnswer(ReminderAnswer answer, const std::string& dataFilePath, const store::CalendarDate& today,
                            const std::vector<ReminderEntry>& entries) {
    switch (answer) {
        case ReminderAnswer::KeepReminding: return keepReminding(dataFilePath, today);
        case ReminderAnswer::NotBeforeNextBirthday: return holdBackUntilNextBirthday(dataFilePath, entries);
        case ReminderAnswer::QuietUntilTomorrow: return quietUntilTomorrow(dataFilePath, today);
    }
    return store::Failure::IoError;
}

}  // namespace velorine::reminders
