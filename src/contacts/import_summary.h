#pragma once
// What an import tells its user, the same words in the main window and in a terminal (UTF-8):
//
//   Contacts importés de « carnet.vcf » :
//     personnes ajoutées à la liste : 3
//     déjà dans la liste : 1
//     cartes sans date de naissance utilisable : 2
//     cartes refusées pour leur nom : 1            (only when there are any)
//     cartes illisibles dans leur jeu de caractères : 1   (only when there are any)
//
//   Textes adaptés aux lettres de Velorine :       (only when there are any)
//     Łukasz Wałęsa → Lukasz Walesa
//
//   Cartes non reprises :                          (only when there are any)
//     Marie Curie : pas de date de naissance

#include <string>

#include "contacts/contact_import.h"
#include "contacts/vcard_reader.h"

namespace velorine::contacts {

// The counts and the lists; `fileName` is shown as given.
std::string importSummary(const std::string& fileName, const VcardBook& book, const ImportOutcome& outcome);

// The message for a file that is refused whole: "Le fichier « x » ne peut pas être importé : <reason>."
std::string refusedFileText(const std::string& fileName, const std::string& reason);

}  // namespace velorine::contacts
