#include "app/write_failure_text.h"

#include "store/data_file.h"

namespace velorine::app {

std::string writeFailureText(store::WriteFailure failure, const std::string& dataFilePath) {
    using store::WriteFailure;
    switch (failure) {
        case WriteFailure::DanglingLink:
            return "La liste est hors d'atteinte : ce fichier est un lien vers " + store::linkTarget(dataFilePath) +
                   ", qui n'existe pas en ce moment (un disque débranché ?). Rendez-le accessible, puis recommencez.";
        case WriteFailure::ForeignLink:
            return "Ce fichier est un lien qui appartient à un autre utilisateur, dans un dossier où "
                   "d'autres peuvent écrire : il n'est pas suivi. Supprimez-le, puis recommencez.";
        case WriteFailure::NotSettings:
            return "Ce fichier ne peut pas être lu comme une liste d'anniversaires (texte en UTF-16, ou "
                   "aucune section) : enregistrez-le en Windows-1252 ou en UTF-8, ou déplacez-le, puis "
                   "recommencez.";
        case WriteFailure::ForeignFile:
            return "Ce fichier appartient à un autre utilisateur : il n'est pas remplacé. Faites-en une "
                   "copie à vous, puis recommencez.";
        case WriteFailure::LockHeld:
            return "Un autre programme tient la liste en ce moment (il garde le fichier verrou " +
                   store::lockFilePath(dataFilePath) + ") : attendez qu'il ait fini ou fermez-le, puis recommencez.";
        case WriteFailure::LockUnusable:
            return "Le fichier verrou " + store::lockFilePath(dataFilePath) +
                   " ne peut pas être ouvert en écriture (il appartient à un autre utilisateur, ou ce n'est pas "
                   "un fichier) : supprimez-le, puis recommencez.";
        case WriteFailure::DiskFull:
            return "Le disque est plein, ou votre quota d'espace est atteint : libérez de la place, "
                   "puis recommencez.";
        case WriteFailure::PermissionDenied:
            return "Vous n'avez pas le droit d'écrire ce fichier ou son dossier : vérifiez leurs "
                   "droits d'accès, puis recommencez.";
        case WriteFailure::ReadOnlyFileSystem:
            return "Ce fichier se trouve sur un disque en lecture seule : rendez ce disque accessible "
                   "en écriture, puis recommencez.";
        case WriteFailure::ReadOnlyFile:
            return "Ce fichier est en lecture seule : autorisez son écriture, puis recommencez.";
        case WriteFailure::NotARegularFile:
            return "Ce chemin ne désigne pas un fichier ordinaire (c'est un dossier, un tube ou un "
                   "périphérique).";
        case WriteFailure::TooLarge:
            return "Ce fichier dépasse, ou dépasserait, la taille qu'il peut avoir (celle que permet le "
                   "programme, ou une limite de taille des fichiers imposée à la session).";
        case WriteFailure::DirectoryMissing:
            return "Le dossier de ce fichier n'existe pas ou plus : recréez-le, puis recommencez.";
        case WriteFailure::IoError: return "Le disque a signalé une erreur d'écriture : vérifiez-le, puis recommencez.";
        case WriteFailure::None: break;
    }
    return "Vérifiez que ce fichier et son dossier sont accessibles en écriture, puis recommencez.";
}

}  // namespace velorine::app
