#pragma once
// The windows' side of the calendar kept up to date (contacts/calendar_upkeep.h): after every change
// they make to the list, the calendar is brought up to date, and the user is told when it cannot
// be, naming the calendar and the cause. Nothing is said when the option is off or nothing the
// calendar shows has changed.

#include <string>

namespace velorine::ui {

class UserDialogs;

// After a change made in a window: a "Problème" box when the calendar could not be written, and
// false.
bool keepCalendarUpToDate(const std::string& dataFilePath, UserDialogs& dialogs);

// At the start that took a pending list in, before any window: a line on standard error.
void keepCalendarAfterStart(const std::string& dataFilePath);

}  // namespace velorine::ui
