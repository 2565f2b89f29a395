#pragma once
// The year and month arrows of the reminder window's date picker: a step keeps the date real,
// moving the day back to the last day of the new month when that month is shorter (29 February to
// 28 in a common year, 31 January to 28 or 29 February). Leap years follow the real calendar.

#include "store/dates.h"

namespace velorine::ui {

// `years` is +1 or -1.
store::CalendarDate stepYear(const store::CalendarDate& date, int years);
// `months` is +1 or -1; December forward gives January of the next year, January back December of
// the year before.
store::CalendarDate stepMonth(const store::CalendarDate& date, int months);

}  // namespace velorine::ui
