#pragma once
// The three answers of the reminder window, as the data file stores them. Each is one commit: the
// file holds the answer whole or not at all, and the cause comes back when it could not be written
// (the file is then unchanged), so the window can tell the user.
//
//   keep reminding       Rappel/Date = today        ("%d %d %d"): every later start today reminds again
//   quiet until tomorrow Rappel/Date = the next day  ("%d %d %d"): automatic starts stay silent today
//   not before the next  Proch<slot> of every birthday line = its resume date ("%d %d %d"), in list
//   birthday             order: the birthday listed is silenced up to and including the occurrence
//                        listed (one still to come is announced again on the day itself, one of today
//                        comes back with next year's reminders); a name-day line holds nothing back
//
// The engine reads every Proch<n> as the day before which that birthday is not announced, the
// meaning the files of earlier versions give it too.

#include <string>
#include <vector>

#include "reminders/reminder_engine.h"
#include "store/dates.h"
#include "store/failure.h"

namespace velorine::reminders {

store::Result<> keepReminding(const std::string& dataFilePath, const store::CalendarDate& today);
store::Result<> quietUntilTomorrow(const std::string& dataFilePath, const store::CalendarDate& today);
// Entries without a resume date (name-day lines) write nothing. Succeeds without writing when there
// is nothing to write.
store::Result<> holdBackUntilNextBirthday(const std::string& dataFilePath, const std::vector<ReminderEntry>& entries);

}  // namespace velorine::reminders
