#include "ui/write_failure.h"

#include "store/data_file.h"

namespace velorine::ui {

namespace {

QString lockFileName(const std::string& dataFilePath) {
    return QString::fromStdString(store::lockFilePath(dataFilePath));
}

}  // namespace

QString writeFailureText(store::WriteFailure failure, const std::string& dataFilePath) {
    using store::WriteFailure;
    switch (failure) {
        case WriteFailure::DanglingLink:
            return QStringLiteral(
                       "La liste est hors d'atteinte : ce fichier est un lien vers %1, qui n'existe pas en ce "
                       "moment (un disque débranché ?). Rendez-le accessible, puis recommencez.")
                .arg(QString::fromStdString(store::linkTarget(dataFilePath)));
        case WriteFailure::ForeignLink:
            return QStringLiteral(
                "Ce fichier est un lien qui appartient à un autre utilisateur, dans un dossier où "
                "d'autres peuvent écrire : il n'est pas suivi. Supprimez-le, puis recommencez.");
        case WriteFailure::NotSettings:
            return QStringLiteral(
                "Ce fichier ne peut pas être lu comme une liste d'anniversaires (texte en UTF-16, ou "
                "aucune section) : enregistrez-le en Windows-1252 ou en UTF-8, ou déplacez-le, puis "
                "recommencez.");
        case WriteFailure::ForeignFile:
            return QStringLiteral(
                "Ce fichier appartient à un autre utilisateur : il n'est pas remplacé. Faites-en une "
                "copie à vous, puis recommencez.");
        case WriteFailure::LockHeld:
            return QStringLiteral(
                       "Un autre programme tient la liste en ce moment (il garde le fichier verrou %1) : "
                       "attendez qu'il ait fini ou fermez-le, puis recommencez.")
                .arg(lockFileName(dataFilePath));
        case WriteFailure::LockUnusable:
            return QStringLiteral(
                       "Le fichier verrou %1 ne peut pas être ouvert en écriture (il appartient à un autre "
                       "utilisateur, ou ce n'est pas un fichier) : supprimez-le, puis recommencez.")
                .arg(lockFileName(dataFilePath));
        case WriteFailure::DiskFull:
            return QStringLiteral(
                "Le disque est plein, ou votre quota d'espace est atteint : libérez de la place, "
                "puis recommencez.");
        case WriteFailure::PermissionDenied:
            return QStringLiteral(
                "Vous n'avez pas le droit d'écrire ce fichier ou son dossier : vérifiez leurs "
                "droits d'accès, puis recommencez.");
        case WriteFailure::ReadOnlyFileSystem:
            return QStringLiteral(
                "Ce fichier se trouve sur un disque en lecture seule : rendez ce disque accessible "
                "en écriture, puis recommencez.");
        case WriteFailure::ReadOnlyFile:
            return QStringLiteral("Ce fichier est en lecture seule : autorisez son écriture, puis recommencez.");
        case WriteFailure::NotARegularFile:
            return QStringLiteral(
                "Ce chemin ne désigne pas un fichier ordinaire (c'est un dossier, un tube ou un "
                "périphérique).");
        case WriteFailure::TooLarge:
            return QStringLiteral(
                "Ce fichier dépasse, ou dépasserait, la taille qu'il peut avoir (celle que permet le "
                "programme, ou une limite de taille des fichiers imposée à la session).");
        case WriteFailure::DirectoryMissing:
            return QStringLiteral("Le dossier de ce fichier n'existe pas ou plus : recréez-le, puis recommencez.");
        case WriteFailure::IoError:
            return QStringLiteral("Le disque a signalé une erreur d'écriture : vérifiez-le, puis recommencez.");
        case WriteFailure::None: break;
    }
    return QStringLiteral("Vérifiez que ce fichier et son dossier sont accessibles en écriture, puis recommencez.");
}

void reportWriteFailure(UserDialogs& dialogs, const QString& whatFailed, const std::string& dataFilePath,
                        store::WriteFailure failure) {
    dialogs.showMessage(
        MessageIcon::Error, QStringLiteral("Problème"),
        QStringLiteral("%1 :\n%2\n\n%3")
            .arg(whatFailed, QString::fromStdString(dataFilePath), writeFailureText(failure, dataFilePath)));
}

}  // namespace velorine::ui
