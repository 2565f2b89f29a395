#include "contacts/birthday_value.h"

#include <array>
#include <ctime>
#include <tuple>

#include "store/civil_calendar.h"

namespace velorine::contacts {
namespace {

// Reads `count` digits at text[pos] and moves past them.
std::optional<int> digits(std::string_view text, std::size_t& pos, std::size_t count) {
    if (pos + count > text.size()) return std::nullopt;
    int value = 0;
    for (std::size_t k = 0; k < count; ++k) {
        const char c = text[pos + k];
        if (c < '0' || c > '9') return std::nullopt;
        value = value * 10 + (c - '0');
    }
    pos += count;
    return value;
}

struct ScannedDate {
    std::optional<int> year;
    int month = 0;
    int day = 0;
    // A time of day in UTC ("T220000Z", "T22:00:00Z"): hours, minutes, seconds.
    std::optional<std::array<int, 3>> utcTime;
};

// "HHMMSS" or "HH:MM:SS" (minutes and seconds may be left out) followed by "Z"; nothing for any
// other time part (a local time, a zone offset), whose date is the writer's own.
std::optional<std::array<int, 3>> utcTimeOf(std::string_view time) {
    if (time.empty() || (time.back() != 'Z' && time.back() != 'z')) return std::nullopt;
    time.remove_suffix(1);
    std::array<int, 3> parts{};
    std::size_t pos = 0;
    for (std::size_t k = 0; k < parts.size() && pos < time.size(); ++k) {
        if (k > 0 && time[pos] == ':') ++pos;
        const auto part = digits(time, pos, 2);
        if (!part) return std::nullopt;
        parts[k] = *part;
    }
    if (pos != time.size() || parts[0] > 23 || parts[1] > 59 || parts[2] > 60) return std::nullopt;
    return parts;
}

// What may follow the date: nothing, a time part or a zone.
bool isDateEnd(std::string_view rest) {
    return rest.empty() || rest.front() == 'T' || rest.front() == 't' || rest.front() == 'Z' || rest.front() == 'z' ||
           rest.front() == '+';
}

std::optional<ScannedDate> scan(std::string_view text) {
    std::size_t pos = 0;
    ScannedDate date;
    if (text.starts_with("--")) {
        pos = 2;
    } else {
        date.year = digits(text, pos, 4);
        if (!date.year) return std::nullopt;
    }
    // "YYYY-MM-DD" and "--MM-DD", or no dash at all.
    const std::size_t dashAt = date.year ? pos : pos + 2;
    const bool dashed = dashAt < text.size() && text[dashAt] == '-';
    if (dashed && date.year) ++pos;
    const auto month = digits(text, pos, 2);
    if (!month) return std::nullopt;
    if (dashed) {
        if (pos >= text.size() || text[pos] != '-') return std::nullopt;
        ++pos;
    }
    const auto day = digits(text, pos, 2);
    if (!day || !isDateEnd(text.substr(pos))) return std::nullopt;
    date.month = *month;
    date.day = *day;
    if (date.year && pos < text.size() && (text[pos] == 'T' || text[pos] == 't'))
        date.utcTime = utcTimeOf(text.substr(pos + 1));
    return date;
}

// The local day of an instant given in UTC: address books that keep a birthday as local midnight
// in UTC write "1985-04-11T22:00:00Z" for 12 April in Paris.
store::CalendarDate localDayOf(const store::CalendarDate& utcDay, const std::array<int, 3>& time) {
    std::tm utc{};
    utc.tm_year = utcDay.year - 1900;
    utc.tm_mon = utcDay.month - 1;
    utc.tm_mday = utcDay.day;
    utc.tm_hour = time[0];
    utc.tm_min = time[1];
    utc.tm_sec = time[2];
    const std::time_t instant = ::timegm(&utc);
    std::tm local{};
    if (!::localtime_r(&instant, &local)) return utcDay;
    return {local.tm_mday, local.tm_mon + 1, local.tm_year + 1900};
}

std::string quoted(std::string_view text) { return "« " + std::string(text) + " »"; }

}  // namespace

std::variant<store::CalendarDate, BirthdayRefusal> birthdayOf(const ContentLine& bday, const std::string& text,
                                                              const store::CalendarDate& today) {
    if (upperAscii(bday.parameter("VALUE").value_or("")) == "TEXT")
        return BirthdayRefusal{"date de naissance écrite en toutes lettres " + quoted(text)};
    if (text.empty()) return BirthdayRefusal{"date de naissance vide"};
    const auto scanned = scan(text);
    if (!scanned) return BirthdayRefusal{"date de naissance illisible " + quoted(text)};
    const auto omitted = bday.parameter("X-APPLE-OMIT-YEAR");
    // A year before the data file's "unknown" one is a placeholder ("0001-01-01"), not a birth year.
    const bool yearKnown = scanned->year && !(omitted && *omitted == std::to_string(*scanned->year)) &&
                           *scanned->year > store::kUnknownBirthYear;
    store::CalendarDate date{scanned->day, scanned->month, yearKnown ? *scanned->year : store::kUnknownBirthYear};
    if (!store::isRealDate(date)) return BirthdayRefusal{"date de naissance qui n'existe pas " + quoted(text)};
    if (yearKnown && scanned->utcTime) date = localDayOf(date, *scanned->utcTime);
    if (yearKnown && std::tie(date.year, date.month, date.day) > std::tie(today.year, today.month, today.day))
        return BirthdayRefusal{"date de naissance dans l'avenir " + quoted(text)};
    return date;
}

}  // namespace velorine::contacts
