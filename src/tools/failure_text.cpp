#include "tools/failure_text.h"

namespace velorine::tools {

std::string reasonFor(store::Failure failure) {
    using store::Failure;
    switch (failure) {
        case Failure::Missing: return "fichier introuvable";
        case Failure::DirectoryMissing: return "un élément du chemin n'est pas un dossier, ou son dossier n'existe pas";
        case Failure::Directory: return "c'est un dossier, pas un fichier";
        case Failure::NotARegularFile: return "ce n'est pas un fichier ordinaire";
        case Failure::AlreadyExists: return "un fichier porte déjà ce nom";
        case Failure::PermissionDenied: return "accès refusé, par les droits du fichier ou de son dossier";
        case Failure::ReadOnlyFileSystem: return "le disque est en lecture seule";
        case Failure::ReadOnlyFile: return "le fichier est en lecture seule";
        case Failure::ForeignFile: return "le fichier appartient à un autre utilisateur";
        case Failure::DanglingLink: return "c'est un lien symbolique vers un fichier absent en ce moment";
        case Failure::ForeignLink: return "c'est le lien symbolique d'un autre utilisateur, il n'est pas suivi";
        case Failure::TooLarge: return "le fichier est, ou deviendrait, bien trop volumineux";
        case Failure::NotSettings:
            return "ce fichier ne peut pas être lu comme une liste d'anniversaires (texte UTF-16, ou aucune section)";
        case Failure::DiskFull: return "le disque est plein, ou votre quota est atteint";
        case Failure::LockHeld: return "un autre programme tient la liste en ce moment (fichier verrou)";
        case Failure::LockNotAFile: return "le fichier verrou n'est pas un fichier ordinaire : supprimez-le";
        case Failure::LockForeign: return "le fichier verrou appartient à un autre utilisateur";
        case Failure::LockReadOnly: return "le fichier verrou est en lecture seule : supprimez-le";
        case Failure::IoError: return "le disque a signalé une erreur";
        case Failure::None: break;
    }
    return "opération impossible";
}

}  // namespace velorine::tools
