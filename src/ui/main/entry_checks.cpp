#include "ui/main/entry_checks.h"

#include <array>
#include <utility>

#include "ui/french.h"
#include "ui/main/date_separator.h"

namespace velorine::ui {
namespace {

QString fieldName(EntryField field) {
    switch (field) {
        case EntryField::Surname: return QStringLiteral("Nom");
        case EntryField::FirstName: return QStringLiteral("Prénom");
        case EntryField::BirthDate: return QStringLiteral("Date de naissance");
        case EntryField::Address: return QStringLiteral("Adresse");
        case EntryField::Email: return QStringLiteral("E-mail");
    }
    return {};
}

QString unsupportedCharacterMessage(EntryField field, const QString& character) {
    return QStringLiteral(
               "Le champ « %1 » contient le caractère « %2 », que Velorine ne peut pas enregistrer.\n\n"
               "Remplacez-le, par exemple par la même lettre sans accent.")
        .arg(fieldName(field), character);
}

}  // namespace

std::variant<store::BirthdayRecord, EntryProblem> checkEntry(const EntryTexts& texts,
                                                             const store::CalendarDate& today) {
    if (texts.surname.trimmed().isEmpty())
        return EntryProblem{EntryField::Surname, QStringLiteral("Le nom de personne est obligatoire !")};
    if (texts.birthDate.isEmpty())
        return EntryProblem{EntryField::BirthDate, QStringLiteral("La date de naissance est obligatoire !")};
    const QString slashed = withSeparators(texts.birthDate, QLatin1Char('/'));
    // The date is compared as Windows-1252 bytes: a character outside the set cannot be a digit.
    const auto dateBytes = cp1252FromText(slashed);
    if (!dateBytes || !store::isValidBirthDate(*dateBytes, today))
        return EntryProblem{EntryField::BirthDate, QStringLiteral("La date de naissance est incorrecte !")};

    const std::array<std::pair<EntryField, const QString*>, 4> others = {{{EntryField::Surname, &texts.surname},
                                                                          {EntryField::FirstName, &texts.firstName},
                                                                          {EntryField::Address, &texts.address},
                                                                          {EntryField::Email, &texts.email}}};
    std::array<std::string, 4> bytes;
    for (std::size_t i = 0; i < others.size(); ++i) {
        const auto converted = cp1252FromText(*others[i].second);
        if (!converted)
            return EntryProblem{others[i].first, unsupportedCharacterMessage(
                                                     others[i].first, firstCharacterOutsideCp1252(*others[i].second))};
        bytes[i] = *converted;
    }
    return store::BirthdayRecord{bytes[0], bytes[1], *dateBytes, bytes[2], bytes[3]};
}

}  // namespace velorine::ui
