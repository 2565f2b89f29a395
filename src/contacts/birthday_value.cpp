#include "contacts/birthday_value.h"

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

// What may follow the date: nothing, a time part or a zone.
bool isDateEnd(std::string_view rest) {
    return rest.empty() || rest.front() == 'T' || rest.front() == 't' || rest.front() == 'Z' || rest.front() == 'z' ||
           rest.front() == '+';
}

struct ScannedDate {
    std::optional<int> year;
    int month = 0;
    int day = 0;
};

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
    return date;
}

std::string quoted(std::string_view text) { return "« " + std::string(text) + " »"; }

}  // namespace

std::variant<store::CalendarDate, BirthdayRefusal> birthdayOf(const ContentLine& bday, const std::string& text) {
    if (upperAscii(bday.parameter("VALUE").value_or("")) == "TEXT")
        return BirthdayRefusal{"date de naissance écrite en toutes lettres " + quoted(text)};
    if (text.empty()) return BirthdayRefusal{"date de naissance vide"};
    const auto scanned = scan(text);
    if (!scanned) return BirthdayRefusal{"date de naissance illisible " + quoted(text)};
    const auto omitted = bday.parameter("X-APPLE-OMIT-YEAR");
    const bool yearKnown = scanned->year && !(omitted && *omitted == std::to_string(*scanned->year));
    const store::CalendarDate date{scanned->day, scanned->month, yearKnown ? *scanned->year : store::kUnknownBirthYear};
    if (date.year < 1 || !store::isRealDate(date))
        return BirthdayRefusal{"date de naissance qui n'existe pas " + quoted(text)};
    return date;
}

}  // namespace velorine::contacts
