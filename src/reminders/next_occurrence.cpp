#include "reminders/next_occurrence.h"

#include <cstdio>

#include "store/civil_calendar.h"

namespace velorine::reminders {
namespace {

constexpr int kAnyLeapYear = 2000;

// The day that day/month falls on in `year`: 29 February becomes 1 March when the year has none.
long long dayNumberIn(int day, int month, int year) {
    if (day == 29 && month == 2 && !store::isLeapYear(year)) return store::dayNumber({1, 3, year});
    return store::dayNumber({day, month, year});
}

}  // namespace

bool isYearlyDay(int day, int month) { return day >= 1 && day <= store::daysInMonth(month, kAnyLeapYear); }

NextOccurrence nextOccurrence(int day, int month, const store::CalendarDate& reference) {
    const long long today = store::dayNumber(reference);
    int year = reference.year;
    long long count = dayNumberIn(day, month, year) - today;
    if (count < 0) {
        ++year;
        count = dayNumberIn(day, month, year) - today;
    }
    return {day, month, year, static_cast<int>(count)};
}

std::string occurrenceText(const NextOccurrence& occurrence) {
    char text[40];
    std::snprintf(text, sizeof text, "%02d/%02d/%04lld", occurrence.day, occurrence.month, occurrence.year);
    return text;
}

}  // namespace velorine::reminders
