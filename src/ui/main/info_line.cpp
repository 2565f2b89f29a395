#include "ui/main/info_line.h"

namespace velorine::ui {

std::string infoLineText(const store::BirthdayRecord& person, const store::CalendarDate& today) {
    // No blank before a surname without a first name (an address book's "Maman").
    const std::string who = person.firstName.empty() ? person.surname : person.firstName + " " + person.surname;
    const auto age = store::ageAndNextBirthday(person.birthDate, store::displayDate(today));
    if (!age) return who + " : date de naissance illisible (" + person.birthDate + ").";
    if (store::scanSlashedDate(person.birthDate)->year == store::kUnknownBirthYear)
        return who + " (\xE2ge inconnu) f\xEAtera son anniversaire le " + age->nextBirthday + ".";
    if (age->age <= 0) return who + " va avoir 1 an le " + age->nextBirthday + ".";
    return who + " (" + std::to_string(age->age) + " an" + (age->age >= 2 ? "s" : "") + ") va avoir " +
           std::to_string(age->age + 1) + " ans le " + age->nextBirthday + ".";
}

}  // namespace velorine::ui
