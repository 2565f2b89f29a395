// The next occurrence of a yearly day: its day count, its year and its text.

#include <gtest/gtest.h>

#include "reminders/next_occurrence.h"

namespace velorine::reminders {
namespace {

using store::CalendarDate;

TEST(ReminderNextOccurrence, CountsDaysToTheNextOccurrenceAndNamesIt) {
    const struct {
        int day, month;
        CalendarDate reference;
        int dayCount;
        long long year;
        const char* text;
    } cases[] = {
        {5, 3, {1, 3, 2026}, 4, 2026, "05/03/2026"},
        {5, 3, {4, 3, 2026}, 1, 2026, "05/03/2026"},
        {5, 3, {5, 3, 2026}, 0, 2026, "05/03/2026"},
        {5, 3, {6, 3, 2026}, 364, 2027, "05/03/2027"},
        {8, 12, {1, 12, 2026}, 7, 2026, "08/12/2026"},
        // Across the end of the year.
        {1, 1, {30, 12, 2026}, 2, 2027, "01/01/2027"},
        {31, 12, {31, 12, 2026}, 0, 2026, "31/12/2026"},
        {1, 1, {1, 1, 2026}, 0, 2026, "01/01/2026"},
        // 29 February stands for 1 March in a year without it; its text stays 29/02.
        {29, 2, {20, 2, 2027}, 9, 2027, "29/02/2027"},
        {29, 2, {28, 2, 2027}, 1, 2027, "29/02/2027"},
        {29, 2, {1, 3, 2027}, 0, 2027, "29/02/2027"},
        {29, 2, {2, 3, 2027}, 364, 2028, "29/02/2028"},
        {29, 2, {28, 2, 2028}, 1, 2028, "29/02/2028"},
        {29, 2, {29, 2, 2028}, 0, 2028, "29/02/2028"},
        {29, 2, {1, 3, 2028}, 365, 2029, "29/02/2029"},
        {29, 2, {28, 2, 2100}, 1, 2100, "29/02/2100"},  // 2100 has no 29 February
        {29, 2, {28, 2, 2000}, 1, 2000, "29/02/2000"},
        {1, 3, {29, 2, 2028}, 1, 2028, "01/03/2028"},
        {1, 3, {2, 3, 2027}, 365, 2028, "01/03/2028"},  // the longest wait: a year with 29 February
        {28, 2, {1, 3, 2028}, 364, 2029, "28/02/2029"},
        // Far years keep four digits at least.
        {5, 3, {1, 3, 12}, 4, 12, "05/03/0012"},
        {5, 3, {6, 3, 9999}, 365, 10000, "05/03/10000"},  // 10000 is a leap year
    };
    for (const auto& c : cases) {
        const NextOccurrence next = nextOccurrence(c.day, c.month, c.reference);
        const std::string what =
            std::to_string(c.day) + "/" + std::to_string(c.month) + " from " + store::displayDate(c.reference);
        EXPECT_EQ(next.dayCount, c.dayCount) << what;
        EXPECT_EQ(next.year, c.year) << what;
        EXPECT_EQ(occurrenceText(next), c.text) << what;
    }
}

TEST(ReminderNextOccurrence, TellsTheDaysThatComeRoundEveryYear) {
    const struct {
        int day, month;
        bool yearly;
    } cases[] = {
        {29, 2, true}, {30, 2, false}, {31, 4, false}, {30, 4, true},  {31, 12, true}, {1, 1, true},
        {0, 1, false}, {32, 1, false}, {1, 0, false},  {1, 13, false}, {-1, 5, false}, {5, -3, false},
    };
    for (const auto& c : cases) EXPECT_EQ(isYearlyDay(c.day, c.month), c.yearly) << c.day << '/' << c.month;
}

}  // namespace
}  // namespace velorine::reminders
