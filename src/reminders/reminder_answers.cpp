#include "reminders/reminder_answers.h"

#include "store/civil_calendar.h"
#include "store/data_file.h"
#include "store/record_store.h"

namespace velorine::reminders {
namespace {

bool storeNextReminderDay(const std::string& dataFilePath, const store::CalendarDate& day,
                          store::WriteFailure* failure) {
    return store::writeValue(dataFilePath, "Rappel", "Date", store::dayText(day), failure);
}

}  // namespace

bool keepReminding(const std::string& dataFilePath, const store::CalendarDate& today, store::WriteFailure* failure) {
    return storeNextReminderDay(dataFilePath, today, failure);
}

bool quietUntilTomorrow(const std::string& dataFilePath, const store::CalendarDate& today,
                        store::WriteFailure* failure) {
    return storeNextReminderDay(dataFilePath, store::addDays(today, 1), failure);
}

bool holdBackUntilNextBirthday(const std::string& dataFilePath, const std::vector<ReminderEntry>& entries,
                               store::WriteFailure* failure) {
    std::vector<std::string> keys;
    std::vector<std::string> values;
    for (const ReminderEntry& entry : entries) {
        if (!entry.resumeDate) continue;
        keys.push_back(store::slotKey("Proch", entry.slot));
        values.push_back(store::dayText(*entry.resumeDate));
    }
    if (keys.empty()) {
        if (failure) *failure = store::WriteFailure::None;
        return true;
    }
    std::vector<store::IniDocument::KeyValue> keyValues;
    keyValues.reserve(keys.size());
    for (std::size_t i = 0; i < keys.size(); ++i) keyValues.emplace_back(keys[i], values[i]);
    return store::commit(
        dataFilePath, [&](store::IniDocument& doc) { doc.writeAll(store::kRecordSection, keyValues); }, failure);
}

}  // namespace velorine::reminders
