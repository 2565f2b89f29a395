#include "store/dates.h"

#include <algorithm>
#include <climits>
#include <cstdio>

#include "store/number_text.h"

namespace velorine::store {
namespace {

std::string format(const char* pattern, int a, int b, int c) {
    char buffer[48];
    std::snprintf(buffer, sizeof buffer, pattern, a, b, c);
    return buffer;
}

int clampToInt(long long value) { return static_cast<int>(std::clamp<long long>(value, INT_MIN, INT_MAX)); }

// Month lengths of the birth-date check: February has 29 days in every year divisible by 4.
int validationMonthLength(int month, int year) {
    constexpr int kLengths[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && year % 4 == 0 ? 29 : kLengths[month - 1];
}

int twoDigits(std::string_view text, std::size_t at) { return (text[at] - '0') * 10 + (text[at + 1] - '0'); }

}  // namespace

std::string comparisonKey(const CalendarDate& d) { return format("%04d%02d%02d", d.year, d.month, d.day); }
std::string displayDate(const CalendarDate& d) { return format("%02d/%02d/%04d", d.day, d.month, d.year); }
std::string dayText(const CalendarDate& d) { return format("%d %d %d", d.day, d.month, d.year); }

std::optional<CalendarDate> scanSlashedDate(std::string_view text) {
    TextScanner scan(text);
    const auto day = scan.integer();
    if (!day || !scan.literal('/')) return std::nullopt;
    const auto month = scan.integer();
    if (!month || !scan.literal('/')) return std::nullopt;
    const auto year = scan.integer();
    if (!year) return std::nullopt;
    return CalendarDate{*day, *month, *year};
}

std::optional<CalendarDate> scanDayText(std::string_view text) {
    TextScanner scan(text);
    const auto day = scan.integer();
    scan.skipWhiteSpace();
    const auto month = day ? scan.integer() : std::nullopt;
    scan.skipWhiteSpace();
    const auto year = month ? scan.integer() : std::nullopt;
    if (!year) return std::nullopt;
    return CalendarDate{*day, *month, *year};
}

bool isValidBirthDate(std::string_view text, const CalendarDate& today) {
    constexpr std::string_view kTemplate = "00/00/0000";
    if (text.size() != kTemplate.size()) return false;
    for (std::size_t i = 0; i < kTemplate.size(); ++i) {
        const bool ok = kTemplate[i] == '0' ? (text[i] >= '0' && text[i] <= '9') : text[i] == kTemplate[i];
        if (!ok) return false;
    }
    const CalendarDate date{twoDigits(text, 0), twoDigits(text, 3), twoDigits(text, 6) * 100 + twoDigits(text, 8)};
    if (date.month < 1 || date.month > 12) return false;
    if (date.day < 1 || date.day > validationMonthLength(date.month, date.year)) return false;
    return comparisonKey(date) <= comparisonKey(today);
}

std::optional<AgeAndNextBirthday> ageAndNextBirthday(std::string_view birthDate, std::string_view referenceDate) {
    const auto birth = scanSlashedDate(birthDate);
    const auto reference = scanSlashedDate(referenceDate);
    if (!birth || !reference) return std::nullopt;
    const long long referenceYear = reference->year;
    const long long r = referenceYear * 10000 + reference->month * 100LL + reference->day;
    const long long b = referenceYear * 10000 + birth->month * 100LL + birth->day;
    long long age = referenceYear - birth->year;
    long long nextYear = referenceYear;
    if (r < b) {
        --age;
    } else {
        ++nextYear;
    }
    return AgeAndNextBirthday{clampToInt(age), displayDate({birth->day, birth->month, clampToInt(nextYear)})};
}

}  // namespace velorine::store
