#pragma once
// Dates as the program writes and reads them, the validation of a typed birth date, and a person's
// age and next birthday.
//
// Text forms:
//   birth and display date  "%02d/%02d/%04d"  day, month, year   (read back with "%d/%d/%d")
//   day text                "%d %d %d"        day, month, year   (next reminder day, resume dates)
//   comparison key          "%04d%02d%02d"    year, month, day   (compared as text: lower = earlier)
//
// A text that does not scan as three integers gives no date: the scanners return nothing and every
// caller decides what that means for it, so no garbage is ever computed from it.

#include <optional>
#include <string>
#include <string_view>

namespace velorine::store {

struct CalendarDate {
    int day = 1;
    int month = 1;
    int year = 1990;
    friend bool operator==(const CalendarDate&, const CalendarDate&) = default;
};

// The year of a birth date whose year nobody knows (an address book's birthday without its year):
// a leap year, so that 29 February stays a real day. Such a birthday is shown without an age.
inline constexpr int kUnknownBirthYear = 1604;

std::string comparisonKey(const CalendarDate& date);
std::string displayDate(const CalendarDate& date);
std::string dayText(const CalendarDate& date);

// "%d/%d/%d": any number of digits per field, blanks allowed before each number, trailing text
// ignored. Nothing unless all three fields scan.
std::optional<CalendarDate> scanSlashedDate(std::string_view text);
// "%d %d %d": numbers separated by any white space.
std::optional<CalendarDate> scanDayText(std::string_view text);

// The date field of the add/modify dialog, with "/" already in third and sixth place: exactly
// "DD/MM/YYYY", a real day and month (29 February in every year divisible by 4, century years
// included), and not after today.
bool isValidBirthDate(std::string_view text, const CalendarDate& today);

struct AgeAndNextBirthday {
    int age = 0;               // whole years at the reference date; -1 before the birth
    std::string nextBirthday;  // "%02d/%02d/%04d"; on the birthday itself, next year's
};
// Both dates slashed, day first. Nothing when either does not scan.
std::optional<AgeAndNextBirthday> ageAndNextBirthday(std::string_view birthDate, std::string_view referenceDate);

}  // namespace velorine::store
