#pragma once
// The calendar kept up to date: with the option "Tenir à jour un agenda des anniversaires" on, a
// calendar file (calendar_export.h) that a calendar program subscribes to always shows the list.
//
// The option lives in the list's data file, section [Agenda]:
//   AJour    "1": the calendar is kept up to date; anything else, or absent: it is not
//   Fichier  the calendar's path (bytes, as the file system names it); empty or absent:
//            anniversaires.ics beside the list
//   Fetes    "1": the name days the reminders announce are in it too
//   Alarme   days before each event its alarm goes off, 0 for none; absent: the reminder horizon
//            (Rappel/Jours)
//
// Whoever changes the list calls keepCalendarUpToDate() after the change: the list window after an
// add, a modification, a deletion, a merge or an import, the windows' start after it took a
// pending list in (an opened list, the previous version's), velorine-contacts after an import, and
// any later way of changing the list. The calendar carries a fingerprint of what it was made from
// (the people's names and birth dates, and the settings above): when the list gives the same one,
// nothing is written, so a call after a change the calendar does not show (an address, an e-mail,
// the window's layout) costs one read of the list. Otherwise the calendar is replaced whole, in one
// rename: a calendar program never reads half of it. It is never written over a file that is not a
// calendar (calendar_target.h).
//
// Nothing here shows anything: the caller tells the user when the calendar could not be written.

#include <ctime>
#include <string>

#include "contacts/calendar_target.h"
#include "store/ini_document.h"
#include "store/failure.h"

namespace velorine::contacts {

// The name of the calendar beside the list when the option names none.
inline constexpr char kKeptCalendarName[] = "anniversaires.ics";

struct CalendarUpkeepSettings {
    bool kept = false;
    std::string path;  // never empty: the default is filled in
    bool nameDays = false;
    int alarmDays = 0;  // 0 to kLongestAlarm
};

// The settings as the list at `dataFilePath` holds them, read from its snapshot.
CalendarUpkeepSettings calendarUpkeepIn(const store::IniDocument& snapshot, const std::string& dataFilePath);

// Stores the settings in the list, in one commit; the cause when they could not be stored.
store::Result<> storeCalendarUpkeep(const std::string& dataFilePath, const CalendarUpkeepSettings& settings);

// The option belongs to this computer, where a calendar program is subscribed to the calendar,
// not to a list, which may come from elsewhere: when a list takes the data file's place (an opened
// list, the previous version's), the [Agenda] section of the list it replaces is carried into it,
// instead of its own.
//
// The section's lines in the list at `dataFilePath`, as they stand ("" when it has none).
std::string calendarUpkeepLines(const std::string& dataFilePath);
// Puts them in place of the list's own section, in one commit (none when neither has one).
store::Result<> carryCalendarUpkeep(const std::string& dataFilePath, const std::string& lines);

enum class UpkeepResult {
    NotKept,   // the option is off, or the list cannot be read: nothing to do
    UpToDate,  // the calendar already shows the list: nothing written
    Written,   // the calendar was written anew
    Failed,    // it could not be written: see failure or refusal; the old calendar, if any, stays
};

struct CalendarUpkeep {
    UpkeepResult result = UpkeepResult::NotKept;
    std::string path;  // the calendar's
    store::Failure failure = store::Failure::None;
    CalendarTargetRefusal refusal = CalendarTargetRefusal::None;  // a file that is no calendar is there
};

// Brings the calendar of the list at `dataFilePath` up to date; `stamp` is the time written in it.
CalendarUpkeep keepCalendarUpToDate(const std::string& dataFilePath, std::time_t stamp = std::time(nullptr));

}  // namespace velorine::contacts
