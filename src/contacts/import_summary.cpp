#include "contacts/import_summary.h"

#include <algorithm>

#include "store/cp1252.h"
#include "store/record_store.h"

namespace velorine::contacts {
namespace {

std::string countLine(std::string_view what, long long count) {
    return "  " + std::string(what) + " : " + std::to_string(count) + "\n";
}

std::string nameOf(const store::BirthdayRecord& record) {
    const std::string first = store::cp1252ToUtf8(record.firstName);
    const std::string last = store::cp1252ToUtf8(record.surname);
    return first.empty() ? last : first + " " + last;
}

}  // namespace

std::string importSummary(const std::string& fileName, const VcardBook& book, const ImportOutcome& outcome) {
    const auto refusedFor = [&book](RefusalKind kind) {
        return std::count_if(book.refused.begin(), book.refused.end(),
                             [kind](const RefusedCard& card) { return card.kind == kind; });
    };
    const auto withoutBirthday = refusedFor(RefusalKind::NoBirthday);
    const auto refusedForName = refusedFor(RefusalKind::Name);
    const auto refusedForLetters = refusedFor(RefusalKind::Letters);
    std::string text = "Contacts importés de « " + fileName + " » :\n";
    text += countLine("personnes ajoutées à la liste", outcome.added);
    text += countLine("déjà dans la liste", outcome.alreadyThere);
    text += countLine("cartes sans date de naissance utilisable", withoutBirthday);
    if (refusedForName > 0) text += countLine("cartes refusées pour leur nom", refusedForName);
    if (refusedForLetters > 0) text += countLine("cartes illisibles dans leur jeu de caractères", refusedForLetters);

    std::string changed;
    for (const ContactCard& card : book.cards)
        if (card.changed) changed += "  " + card.label + " → " + nameOf(card.record) + "\n";
    if (!changed.empty()) text += "\nTextes adaptés aux lettres de Velorine :\n" + changed;

    if (!book.refused.empty()) {
        text += "\nCartes non reprises :\n";
        for (const RefusedCard& card : book.refused) text += "  " + card.label + " : " + card.reason + "\n";
    }
    return text;
}

std::string refusedFileText(const std::string& fileName, const std::string& reason) {
    return "Le fichier « " + fileName + " » ne peut pas être importé : " + reason + ".";
}

}  // namespace velorine::contacts
