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

#include <string>
#include <vector>

#include "reminders/name_day_list.h"
#include "store/dates.h"
#include "store/ini_document.h"

namespace velorine::reminders {

struct ReminderEntry {
    std::string text;  // the line shown, Windows-1252
    int slot;          // the slot of the person it is about
    // The occurrence text ("%02d/%02d/%04d") of that person's birthday, which the reminder window
    // turns into the slot's resume date; a name-day line carries its person's birthday too. When
    // the slot has no birthday (a hole, or a birth date that is not a day of the year), a name-day
    // line carries its own occurrence text.
    std::string occurrenceText;
    friend bool operator==(const ReminderEntry&, const ReminderEntry&) = default;
};

// The reminder list: by slot, each slot's birthday line before its name-day lines, those in
// calendar order. Empty when nothing is due.
std::vector<ReminderEntry> buildReminderList(const store::IniDocument& snapshot, const NameDayList& nameDays,
                                             bool nameDayReminders, const store::CalendarDate& reference);

// The due test of the automatic start: would the list hold at least one line? Builds no text and
// stops at the first due occurrence; loads the name-day calendar only when name days are reminded.
bool isAnythingDue(const std::string& dataFilePath, bool nameDayReminders, const store::CalendarDate& reference);
// The same on a snapshot the caller already holds.
bool isAnythingDueIn(const store::IniDocument& snapshot, bool nameDayReminders, const store::CalendarDate& reference);

}  // namespace velorine::reminders
