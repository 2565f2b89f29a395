#pragma once
// The three answers of the reminder window, as the data file stores them. Each is one commit: the
// file holds the answer whole or not at all, and false comes back when it could not be written
// (the file is then unchanged), with the cause in `failure` when one is given, so the window can
// tell the user.
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
#include "store/write_failure.h"

namespace velorine::reminders {

bool keepReminding(const std::string& dataFilePath, const store::CalendarDate& today,
                   store::WriteFailure* failure = nullptr);
bool quietUntilTomorrow(const std::string& dataFilePath, const store::CalendarDate& today,
                        store::WriteFailure* failure = nullptr);
// Entries without a resume date (name-day lines) write nothing. True when there was nothing to
// write.
bool holdBackUntilNextBirthday(const std::string& dataFilePath, const std::vector<ReminderEntry>& entries,
                               store::WriteFailure* failure = nullptr);

}  // namespace velorine::reminders
