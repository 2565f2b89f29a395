#pragma once
// The reminder engine: which birthdays and name days of the data file fall due within the horizon
// counted from a reference date, and the French line of each.
//
// Both entry points read one snapshot of the data file and write nothing; they share one walk
// (due_occurrences.h), so the due test answers yes exactly when the list would not be empty.
// Nothing is kept between calls: every call sees the file as it is now.
//
// The reference date is the caller's: the real date for the automatic start, the date the reminder
// window shows for the window. It must be a real date (nothing is due otherwise).

#include <optional>
#include <string>
#include <vector>

#include "reminders/name_day_list.h"
#include "store/dates.h"
#include "store/ini_document.h"

namespace velorine::reminders {

struct ReminderEntry {
    std::string text;  // the line shown, Windows-1252
    int slot;          // the slot of the person it is about
    // For a birthday line, the day from which "not before the next birthday" lets this birthday be
    // announced again, once the occurrence listed is silenced: the birthday itself when it is still
    // to come (it is announced on the day), the day after the reference date when it is today (next
    // year's reminders then come as usual). 29 February keeps its day in a year without it ("29 2
    // 2027"), which the resume test orders between 28 February and 1 March. None for a name-day
    // line: the person's birthday was not on the screen, so nothing of it is held back.
    std::optional<store::CalendarDate> resumeDate;
    friend bool operator==(const ReminderEntry&, const ReminderEntry&) = default;
};

// The reminder list: by slot, each slot's birthday line before its name-day lines, those in
// calendar order. Empty when nothing is due.
std::vector<ReminderEntry> buildReminderList(const store::IniDocument& snapshot, const NameDayList& nameDays,
                                             bool nameDayReminders, const store::CalendarDate& reference);

// The same with the built-in name-day calendar, loaded only when name days are reminded.
std::vector<ReminderEntry> buildReminderList(const store::IniDocument& snapshot, bool nameDayReminders,
                                             const store::CalendarDate& reference);

// The due test of the automatic start: would the list hold at least one line? Builds no text and
// stops at the first due occurrence; loads the name-day calendar only when name days are reminded.
bool isAnythingDue(const std::string& dataFilePath, bool nameDayReminders, const store::CalendarDate& reference);
// The same on a snapshot the caller already holds.
bool isAnythingDueIn(const store::IniDocument& snapshot, bool nameDayReminders, const store::CalendarDate& reference);

}  // namespace velorine::reminders
