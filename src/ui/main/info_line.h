#pragma once
// The line about the selected person: age now, age at the next birthday and its date, as of today.
//   "Jean Dupont (36 ans) va avoir 37 ans le 10/03/2027."
//   "Jean Dupont va avoir 1 an le 07/12/2026."   (under one year old)
//   "Jean Dupont (âge inconnu) fêtera son anniversaire le 10/03/2027."
//                                                (a birth year of store::kUnknownBirthYear)
// A birth date that does not read as day/month/year gets a line that says so.

#include <string>

#include "store/dates.h"
#include "store/record_store.h"

namespace velorine::ui {

// Windows-1252, like the record's texts.
std::string infoLineText(const store::BirthdayRecord& person, const store::CalendarDate& today);

}  // namespace velorine::ui
