#pragma once
// The checks of the add/modify dialog, in the order the user meets them:
//   1. the surname is required (a surname of blanks only counts as none: the data file would drop
//      the blanks and the record would turn into a hole);
//   2. the birth date is required;
//   3. the birth date, with "/" put in third and sixth place, must be a real day, not after today;
//   4. every text must be made of characters the data file can hold (Windows-1252).
// The first failure names the box to put the focus in and the message to show.

#include <QString>

#include <optional>
#include <variant>

#include "store/dates.h"
#include "store/record_store.h"

namespace velorine::ui {

enum class EntryField { Surname, FirstName, BirthDate, Address, Email };

struct EntryTexts {
    QString surname;
    QString firstName;
    QString birthDate;  // as the box shows it: the user's separators, a blank for each unfilled place
    QString address;
    QString email;
};

struct EntryProblem {
    EntryField field;
    QString message;
};

// The record to store (its date with "/"), or the first problem.
std::variant<store::BirthdayRecord, EntryProblem> checkEntry(const EntryTexts& texts, const store::CalendarDate& today);

}  // namespace velorine::ui
