#pragma once
// The windows' side of the calendar kept up to date (contacts/calendar_upkeep.h): after every change
// they make to the list, the calendar is brought up to date, and the user is told when it cannot
// be, naming the calendar and the cause. Nothing is said when the option is off or nothing the
// calendar shows has changed.

#include <string>

#include "contacts/calendar_upkeep.h"

namespace velorine::ui {

class UserDialogs;

// After a change made in a window: a "Problème" box when the calendar could not be written, and
// false.
bool keepCalendarUpToDate(const std::string& dataFilePath, UserDialogs& dialogs);
// The same for an upkeep done already (off the window's thread, after a long import).
bool tellCalendarUpkeep(const contacts::CalendarUpkeep& upkeep, UserDialogs& dialogs);

// The start that takes a pending list in, before any window: the option of the list replaced is
// carried into the new one, then the calendar brought up to date; a line on standard error when it
// cannot be.
class CalendarAcrossSwap {
public:
    // Before the swap: the option of the list still there.
    void keep(const std::string& dataFilePath);
    // After it.
    void bringUpToDate(const std::string& dataFilePath) const;

private:
    std::string lines_;
};

}  // namespace velorine::ui
