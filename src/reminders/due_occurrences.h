#pragma once
// The one walk over a data file that decides what is due: the reminder list formats what it finds,
// the due test stops at the first find. Sharing it, the two can never disagree.
//
// Slots are taken from 1 up to the first absent Nom<n> (a surname that reads "zldsdlelsd", the
// sentinel of an absent one, ends them as well). For each slot, in this order:
//   - its birthday, unless the slot is a hole (empty surname) or its birth date is not a day that
//     comes round every year ("%d/%d/%d", a month 1-12, a day of that month, 29/02 included);
//     due when its day count is at most the horizon and the reference date is on or after the
//     slot's resume date Proch<n> (absent, or not three numbers: nothing held back);
//   - when a calendar is given, its name days: the calendar's feasts of the whole first name, in
//     calendar order, each due when its day count is at most the horizon. Resume dates play no
//     part in them.
// Values are read as every record read does, cut to 127 characters.

#include <functional>
#include <optional>
#include <string_view>

#include "reminders/name_day_list.h"
#include "reminders/next_occurrence.h"
#include "store/dates.h"
#include "store/ini_document.h"

namespace velorine::reminders {

enum class OccurrenceKind { Birthday, NameDay };

struct SlotBirthday {
    NextOccurrence occurrence;
    long long age;          // the occurrence year minus the birth year: 0 or less for a birth still to come
    bool yearKnown = true;  // false for store::kUnknownBirthYear: the age means nothing then
};

struct DueOccurrence {
    OccurrenceKind kind;
    int slot;
    std::string_view firstName;
    std::string_view surname;
    NextOccurrence occurrence;  // of this birthday or of this name day
    // The slot's birthday, due or not; nothing for a hole or a birth date that gives no birthday.
    std::optional<SlotBirthday> birthday;
};

// Calls visit for every due occurrence, in list order, as long as it returns true. nameDays is
// null when name days are not reminded. Nothing is due for a reference date that is not a real
// date of a year below INT_MAX.
void forEachDueOccurrence(const store::IniDocument& snapshot, const NameDayList* nameDays,
                          const store::CalendarDate& reference, const std::function<bool(const DueOccurrence&)>& visit);

}  // namespace velorine::reminders
