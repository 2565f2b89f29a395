#pragma once
// Where a calendar may be written: never over a list, nor over anything else a user keeps.
//
// An export replaces its target whole, so it only ever writes to a path where nothing is yet, to an
// empty file, or to a file that already is an iCalendar file (a calendar exported before, which it
// updates). Anything else is refused before a byte is written: above all a list of the program (its
// own data file, the list being exported, any file that reads as one), and also the program's
// companions of a list (the pending list, the lock file), which are named even when absent.
//
// What is not a regular file (a folder, a device, a dangling link) is left to the writer, which
// refuses it with its own reason.

#include <string>
#include <vector>

namespace velorine::contacts {

enum class CalendarTargetRefusal {
    None,         // the calendar may be written there
    ProgramFile,  // the list being exported, the program's data file or one of its companions
    List,         // a file that reads as a list of the program
    OtherFile,    // a file that holds something else than a calendar
};

// Whether a calendar may be written at `target`. `protectedPaths` are the lists involved (the one
// exported and the program's own data file): they, their lock files and the pending list beside
// the program's data file are refused whether they exist or not.
CalendarTargetRefusal calendarTargetRefusal(const std::string& target, const std::vector<std::string>& protectedPaths);

// The French sentence that tells why, for a target named `shownName` (UTF-8, as the user gave it):
// "« velor.ini » est une liste de Velorine : ..."; empty for None.
std::string calendarTargetText(CalendarTargetRefusal refusal, const std::string& shownName);

}  // namespace velorine::contacts
