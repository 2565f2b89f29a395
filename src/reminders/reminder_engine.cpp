#include "reminders/reminder_engine.h"

#include "reminders/built_in_name_days.h"
#include "reminders/due_occurrences.h"
#include "reminders/reminder_texts.h"
#include "store/civil_calendar.h"
#include "store/data_file.h"

namespace velorine::reminders {
namespace {

store::CalendarDate resumeDateAfter(const NextOccurrence& birthday, const store::CalendarDate& reference) {
    if (birthday.dayCount == 0) return store::addDays(reference, 1);
    return {birthday.day, birthday.month, static_cast<int>(birthday.year)};
}

ReminderEntry entryFor(const DueOccurrence& due, const store::CalendarDate& reference) {
    const std::string name = displayNameOf(due.firstName, due.surname);
    if (due.kind == OccurrenceKind::NameDay) return {nameDayText(name, due.occurrence), due.slot, std::nullopt};
    std::string text = due.birthday->yearKnown ? birthdayText(name, due.birthday->age, due.occurrence)
                                               : agelessBirthdayText(name, due.occurrence);
    return {std::move(text), due.slot, resumeDateAfter(due.occurrence, reference)};
}

std::vector<ReminderEntry> entriesFor(const store::IniDocument& snapshot, const NameDayList* nameDays,
                                      const store::CalendarDate& reference) {
    std::vector<ReminderEntry> entries;
    forEachDueOccurrence(snapshot, nameDays, reference, [&](const DueOccurrence& due) {
        entries.push_back(entryFor(due, reference));
        return true;
    });
    return entries;
}

}  // namespace

std::vector<ReminderEntry> buildReminderList(const store::IniDocument& snapshot, const NameDayList& nameDays,
                                             bool nameDayReminders, const store::CalendarDate& reference) {
    return entriesFor(snapshot, nameDayReminders ? &nameDays : nullptr, reference);
}

std::vector<ReminderEntry> buildReminderList(const store::IniDocument& snapshot, bool nameDayReminders,
                                             const store::CalendarDate& reference) {
    return entriesFor(snapshot, nameDayReminders ? &builtInNameDays() : nullptr, reference);
}

bool isAnythingDue(const std::string& dataFilePath, bool nameDayReminders, const store::CalendarDate& reference) {
    return isAnythingDueIn(store::snapshot(dataFilePath), nameDayReminders, reference);
}

bool isAnythingDueIn(const store::IniDocument& snapshot, bool nameDayReminders, const store::CalendarDate& reference) {
    bool due = false;
    forEachDueOccurrence(snapshot, nameDayReminders ? &builtInNameDays() : nullptr, reference,
                         [&](const DueOccurrence&) {
                             due = true;
                             return false;
                         });
    return due;
}

}  // namespace velorine::reminders
