#include "tools/read_failure_text.h"

namespace velorine::tools {

std::string reasonFor(store::ReadFailure failure) {
    switch (failure) {
        case store::ReadFailure::None: break;
        case store::ReadFailure::Missing: return "fichier introuvable";
        case store::ReadFailure::PathNotDirectory: return "un élément du chemin n'est pas un dossier";
        case store::ReadFailure::Directory: return "c'est un dossier, pas un fichier";
        case store::ReadFailure::NotAFile: return "ce n'est pas un fichier ordinaire";
        case store::ReadFailure::AccessDenied: return "accès refusé";
        case store::ReadFailure::ReadError: return "lecture impossible";
        case store::ReadFailure::TooLarge: return "fichier bien trop volumineux";
        case store::ReadFailure::DanglingLink: return "lien symbolique vers un fichier absent";
        case store::ReadFailure::ForeignLink: return "lien symbolique d'un autre utilisateur, non suivi";
        case store::ReadFailure::NotSettings:
            return "ce fichier ne peut pas être lu comme une liste d'anniversaires (texte UTF-16, ou aucune section)";
    }
    return {};
}

}  // namespace velorine::tools
