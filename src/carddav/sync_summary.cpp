#include "carddav/sync_summary.h"

namespace velorine::carddav {
namespace {

constexpr std::size_t kMostNames = 50;

std::string countLine(std::string_view what, int count) {
    return "  " + std::string(what) + " : " + std::to_string(count) + "\n";
}

std::string nameList(std::string_view title, const std::vector<std::string>& names) {
    if (names.empty()) return {};
    std::string text = "\n" + std::string(title) + " :\n";
    for (std::size_t i = 0; i < names.size() && i < kMostNames; ++i) text += "  " + names[i] + "\n";
    if (names.size() > kMostNames) text += "  … et " + std::to_string(names.size() - kMostNames) + " autres\n";
    return text;
}

}  // namespace

std::string syncSummary(const SyncReport& report) {
    const bool anything = report.added + report.updated + report.alreadyThere + report.withoutBirthday +
                                  report.refusedName + report.unreadable >
                              0 ||
                          !report.removedPeople.empty() || !report.leftAsTyped.empty();
    if (!anything) return "Carnet d'adresses en ligne : rien de nouveau, la liste est à jour.\n";
    std::string text = "Carnet d'adresses en ligne :\n";
    text += countLine("personnes ajoutées à la liste", report.added);
    text += countLine("personnes mises à jour", report.updated);
    text += countLine("déjà dans la liste", report.alreadyThere);
    text += countLine("cartes sans date de naissance utilisable", report.withoutBirthday);
    if (report.refusedName > 0) text += countLine("cartes refusées pour leur nom", report.refusedName);
    if (report.unreadable > 0) text += countLine("cartes illisibles", report.unreadable);
    text += nameList("Mises à jour", report.updatedPeople);
    text += nameList("Retirées du carnet, gardées dans la liste", report.removedPeople);
    text += nameList("Changées dans la liste, laissées telles que vous les avez modifiées", report.leftAsTyped);
    return text;
}

}  // namespace velorine::carddav
