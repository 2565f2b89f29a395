#pragma once
// The three answers of the reminder window, as the data file stores them. Each is one commit: the
// file holds the answer whole or not at all, and the cause comes back when it could not be written
// (the file is then unchanged), so the window can tell the user.
//
//   keep reminding       Rappel/Date = today        ("%d %d %d"): every later start today reminds again
//   quiet until tomorrow Rappel/Date = the next day  ("%d %d %d"): automatic starts stay silent today
//   not before the next  Proch<slot> of every entry = its occurrence date ("%d/%d/%d" read, "%d %d %d"
//   birthday             written), in list order: each listed birthday is held back until that date

#include <string>
#include <vector>

#include "reminders/reminder_engine.h"
#include "store/dates.h"
#include "store/failure.h"

namespace velorine::reminders {

store::Result<> keepReminding(const std::string& dataFilePath, const store::CalendarDate& today);
store::Result<> quietUntilTomorrow(const std::string& dataFilePath, const store::CalendarDate& today);
// An entry whose occurrence text does not scan as three numbers is skipped (the engine never makes
// one). Succeeds without writing when there is nothing to write.
store::Result<> holdBackUntilNextBirthday(const std::string& dataFilePath, const std::vector<ReminderEntry>& entries);

}  // namespace velorine::reminders
