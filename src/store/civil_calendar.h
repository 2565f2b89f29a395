#pragma once
// Day arithmetic on the real (proleptic Gregorian) calendar, and the local date of the clock.

#include <functional>

#include "store/dates.h"

namespace velorine::store {

bool isLeapYear(int year);
// 28 to 31; 0 for a month outside 1..12.
int daysInMonth(int month, int year);
bool isRealDate(const CalendarDate& date);

// Days since 1 January 1970 (negative before). The date must be real.
long long dayNumber(const CalendarDate& date);
CalendarDate dateFromDayNumber(long long days);
CalendarDate addDays(const CalendarDate& date, long long days);

// Today in the local time zone.
CalendarDate localToday();

// The one clock the program asks; tests inject their own.
using TodayClock = std::function<CalendarDate()>;

}  // namespace velorine::store
