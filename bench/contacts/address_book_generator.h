#pragma once
// Generated address books as phones and mail programs write them, for the benchmarks: vCard 3.0
// cards with groups and a preferred e-mail, 2.1 cards with quoted-printable names, 4.0 cards with
// a birthday of no year, French names with accents, and, unless every card must give a person, one
// card in ten without a birthday.

#include <string>

namespace velorine::bench {

enum class Birthdays { Mostly, Always };

std::string generateAddressBook(int cards, Birthdays birthdays = Birthdays::Mostly, unsigned seed = 16);

}  // namespace velorine::bench
