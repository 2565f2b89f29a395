#pragma once
// The next time a yearly day (a birthday, a feast) comes round, counted from the reference date.
//
// 29 February stands for 1 March in the years without it, for the comparison and the day count;
// its text keeps "29/02". On the day itself the count is 0.

#include <string>

#include "store/dates.h"

namespace velorine::reminders {

// Whether day/month comes round every year: a month from 1 to 12 and a day of that month in a
// leap year, so 29/02 counts and 31/04 does not.
bool isYearlyDay(int day, int month);

struct NextOccurrence {
    int day = 0;  // as given: 29/02 stays 29/02
    int month = 0;
    long long year = 0;  // the year of the occurrence: the reference year or the next one
    int dayCount = 0;    // days from the reference date, 0 to 366
};

// The reference must be a real date of a year below INT_MAX, and day/month a yearly day.
NextOccurrence nextOccurrence(int day, int month, const store::CalendarDate& reference);

// "%02d/%02d/%04d" of the day, the month and the occurrence year.
std::string occurrenceText(const NextOccurrence& occurrence);

}  // namespace velorine::reminders
