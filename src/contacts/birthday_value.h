#pragma once
// The birth date of a card: its BDAY value read as a day of the calendar.
//
// Read: "YYYYMMDD" and "YYYY-MM-DD", either followed by a time part ("T...") or a zone; "--MMDD"
// and "--MM-DD", a day without its year; and a year equal to the card's X-APPLE-OMIT-YEAR
// parameter, or before 1604 (a placeholder such as "0001-01-01"), which also mean "no year". A day
// without its year is kept with the year kUnknownBirthYear, the leap year the data file takes for
// "unknown" (so 29 February stays a real day). A date-time in UTC ("1985-04-11T22:00:00Z", local
// midnight as some address books store it) gives the local day of that instant; any other time
// part leaves the date as written.
//
// Refused, with a French reason: a BDAY written as text (VALUE=text), an empty or unreadable one, a
// date that is not a real day (31/04, 29/02 of a common year, month 13), and a birth after `today`.

#include <string>
#include <variant>

#include "contacts/vcard_lines.h"
#include "store/dates.h"

namespace velorine::contacts {

struct BirthdayRefusal {
    std::string reason;  // French, UTF-8: "date de naissance illisible « hier »"
};

// The birth date (its year kUnknownBirthYear when the card gives none), or why there is none.
std::variant<store::CalendarDate, BirthdayRefusal> birthdayOf(const ContentLine& bday, const std::string& text,
                                                              const store::CalendarDate& today);

}  // namespace velorine::contacts
