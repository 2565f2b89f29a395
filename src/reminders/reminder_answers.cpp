#include "reminders/reminder_answers.h"

#include "store/civil_calendar.h"
#include "store/data_file.h"
#include "store/record_store.h"

namespace velorine::reminders {
namespace {

store::Result<> storeNextReminderDay(const std::string& dataFilePath, const store::CalendarDate& day) {
    return store::writeValue(dataFilePath, "Rappel", "Date", store::dayText(day));
}

}  // namespace

store::Result<> keepReminding(const std::string& dataFilePath, const store::CalendarDate& today) {
    return storeNextReminderDay(dataFilePath, today);
}

store::Result<> quietUntilTomorrow(const std::string& dataFilePath, const store::CalendarDate& today) {
    return storeNextReminderDay(dataFilePath, store::addDays(today, 1));
}

store::Result<> holdBackUntilNextBirthday(const std::string& dataFilePath, const std::vector<ReminderEntry>& entries) {
    std::vector<std::string> keys;
    std::vector<std::string> values;
    for (const ReminderEntry& entry : entries) {
        if (!entry.resumeDate) continue;
        keys.push_back(store::slotKey("Proch", entry.slot));
        values.push_back(store::dayText(*entry.resumeDate));
    }
    if (keys.empty()) return store::Done{};
    std::vector<store::IniDocument::KeyValue> keyValues;
    keyValues.reserve(keys.size());
    for (std::size_t i = 0; i < keys.size(); ++i) keyValues.emplace_back(keys[i], values[i]);
    return store::commit(dataFilePath,
                         [&](store::IniDocument& doc) { doc.writeAll(store::kRecordSection, keyValues); });
}

}  // namespace velorine::reminders
