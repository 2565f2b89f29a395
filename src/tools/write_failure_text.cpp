#include "tools/write_failure_text.h"

namespace velorine::tools {

std::string reasonFor(store::WriteFailure failure) {
    using store::WriteFailure;
    switch (failure) {
        case WriteFailure::DiskFull: return "le disque est plein, ou votre quota est atteint";
        case WriteFailure::PermissionDenied: return "vous n'avez pas le droit d'écrire ce fichier ou son dossier";
        case WriteFailure::ReadOnlyFileSystem: return "le disque est en lecture seule";
        case WriteFailure::ReadOnlyFile: return "le fichier est en lecture seule";
        case WriteFailure::NotARegularFile: return "ce chemin ne désigne pas un fichier ordinaire";
        case WriteFailure::TooLarge: return "le fichier deviendrait trop volumineux";
        case WriteFailure::DirectoryMissing: return "son dossier n'existe pas";
        case WriteFailure::DanglingLink: return "c'est un lien symbolique vers un fichier absent en ce moment";
        case WriteFailure::ForeignLink: return "c'est le lien symbolique d'un autre utilisateur, il n'est pas suivi";
        case WriteFailure::ForeignFile: return "le fichier appartient à un autre utilisateur";
        case WriteFailure::NotSettings: return "ce fichier ne peut pas être lu comme une liste d'anniversaires";
        case WriteFailure::LockHeld: return "un autre programme tient la liste en ce moment (fichier verrou)";
        case WriteFailure::LockUnusable: return "le fichier verrou ne peut pas être ouvert en écriture";
        case WriteFailure::IoError: return "le disque a signalé une erreur d'écriture";
        case WriteFailure::None: break;
    }
    return "écriture impossible";
}

}  // namespace velorine::tools
