#pragma once
// The French lines of the reminder list, in Windows-1252 like every text of the core.
//
//   birthday   "%s a %d an%s AUJOURD'HUI !!"               (the day itself)
//              "%s aura %d an%s DEMAIN !!"                 (1 day to go)
//              "%s aura %d an%s le %s (dans %d jours)"     (2 days or more)
//   birthday of a birth year nobody knows (the data file's 1604), without an age
//              "%s fête son anniversaire AUJOURD'HUI !!"
//              "%s fêtera son anniversaire DEMAIN !!"
//              "%s fêtera son anniversaire le %s (dans %d jours)"
//   name day   "C'est la fête %s%s AUJOURD'HUI !!"
//              "Ce sera la fete %s%s DEMAIN !!"
//              "Ce sera la fete %s%s le %s (dans %d jours)"
//
// "an" takes an "s" unless the age is exactly 1. The article is "d'" before a name whose first
// character is one of A E I O U Y a e i o u y, "de " before any other (É included).

#include <string>
#include <string_view>

#include "reminders/next_occurrence.h"

namespace velorine::reminders {

// The longest display name: longer ones are cut, so that a line always ends with its date part
// and never grows past 199 characters.
inline constexpr std::size_t kDisplayNameLength = 127;

// First name, one blank, surname; the surname alone when there is no first name (an address book's
// "Maman"), never with a blank before it; cut to 127.
std::string displayNameOf(std::string_view firstName, std::string_view surname);

std::string birthdayText(std::string_view displayName, long long age, const NextOccurrence& birthday);
std::string agelessBirthdayText(std::string_view displayName, const NextOccurrence& birthday);

// "d'" before a name that starts with a vowel, "de " before any other, as the name-day lines
// write it.
const char* articleBefore(std::string_view displayName);
std::string nameDayText(std::string_view displayName, const NextOccurrence& nameDay);

}  // namespace velorine::reminders
