#include "app/write_failure_text.h"

#include "store/data_file.h"

namespace velorine::app {
namespace {

using store::Failure;

struct Words {
    std::string cause;   // a sentence without its full stop
    std::string advice;  // what to do, before ", puis recommencez"; empty when there is nothing to do
};

std::string lockFileName(const std::string& filePath) { return store::lockFilePath(filePath); }

Words wordsFor(Failure failure, const std::string& filePath) {
    switch (failure) {
        case Failure::Missing: return {"Ce fichier n'existe pas ou plus", {}};
        case Failure::DirectoryMissing: return {"Le dossier de ce fichier n'existe pas ou plus", "recréez-le"};
        case Failure::Directory: return {"Ce chemin désigne un dossier, pas un fichier", {}};
        case Failure::NotARegularFile:
            return {"Ce chemin ne désigne pas un fichier ordinaire (c'est un tube ou un périphérique)", {}};
        case Failure::AlreadyExists:
            return {"Une liste attend déjà d'être reprise au prochain démarrage du programme",
                    "relancez le programme pour qu'il la reprenne"};
        case Failure::PermissionDenied:
            return {"Vous n'avez pas les droits d'accès nécessaires à ce fichier ou à son dossier",
                    "vérifiez leurs droits d'accès"};
        case Failure::ReadOnlyFileSystem:
            return {"Ce fichier se trouve sur un disque en lecture seule", "rendez ce disque accessible en écriture"};
        case Failure::ReadOnlyFile: return {"Ce fichier est en lecture seule", "autorisez son écriture"};
        case Failure::ForeignFile:
            return {"Ce fichier appartient à un autre utilisateur : il n'est pas remplacé",
                    "faites-en une copie à vous"};
        case Failure::DanglingLink:
            return {(std::string("Ce fichier est un lien vers ") + store::linkTarget(filePath) +
                     ", qui n'existe pas en ce moment (un disque débranché ?)"),
                    "rendez-le accessible"};
        case Failure::ForeignLink:
            return {
                "Ce fichier est un lien qui appartient à un autre utilisateur, dans un dossier "
                "où d'autres peuvent écrire : il n'est pas suivi",
                "supprimez-le"};
        case Failure::TooLarge:
            return {
                "Ce fichier dépasse, ou dépasserait, la taille qu'il peut avoir (celle que "
                "permet le programme, ou une limite de taille des fichiers imposée à la "
                "session)",
                {}};
        case Failure::NotSettings:
            return {
                "Ce fichier ne peut pas être lu comme une liste d'anniversaires (texte en "
                "UTF-16, ou aucune section)",
                "enregistrez-le en Windows-1252 ou en UTF-8, ou déplacez-le"};
        case Failure::DiskFull:
            return {"Le disque est plein, ou votre quota d'espace est atteint", "libérez de la place"};
        case Failure::LockHeld:
            return {(std::string("Un autre programme tient la liste en ce moment (il garde le fichier verrou ") +
                     lockFileName(filePath) + ")"),
                    "attendez qu'il ait fini ou fermez-le"};
        case Failure::LockNotAFile:
            return {(std::string("Le fichier verrou ") + lockFileName(filePath) +
                     " n'est pas un fichier ordinaire (c'est un dossier, un lien ou un périphérique)"),
                    "supprimez-le"};
        case Failure::LockForeign:
            return {(std::string("Le fichier verrou ") + lockFileName(filePath) + " appartient à un autre utilisateur"),
                    "supprimez-le, ou demandez à son propriétaire de le faire"};
        case Failure::LockReadOnly:
            return {(std::string("Le fichier verrou ") + lockFileName(filePath) + " est en lecture seule"),
                    "supprimez-le"};
        case Failure::IoError: return {"Le disque a signalé une erreur", "vérifiez-le"};
        case Failure::None: break;
    }
    return {"Ce fichier ou son dossier n'est peut-être pas accessible en écriture", "vérifiez-les"};
}

}  // namespace

std::string failureCause(Failure failure, const std::string& filePath) {
    return wordsFor(failure, filePath).cause + ".";
}

std::string writeFailureText(Failure failure, const std::string& filePath) {
    const Words words = wordsFor(failure, filePath);
    if (words.advice.empty()) return words.cause + ".";
    return words.cause + " : " + words.advice + ", puis recommencez.";
}

}  // namespace velorine::app
