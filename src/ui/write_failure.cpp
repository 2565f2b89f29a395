#include "ui/write_failure.h"

namespace velorine::ui {

QString writeFailureText(store::WriteFailure failure) {
    using store::WriteFailure;
    switch (failure) {
    case WriteFailure::DiskFull:
        return QStringLiteral("Le disque est plein, ou votre quota d'espace est atteint : libérez de la place, "
                              "puis recommencez.");
    case WriteFailure::PermissionDenied:
        return QStringLiteral("Vous n'avez pas le droit d'écrire ce fichier ou son dossier : vérifiez leurs "
                              "droits d'accès, puis recommencez.");
    case WriteFailure::ReadOnlyFileSystem:
        return QStringLiteral("Ce fichier se trouve sur un disque en lecture seule : rendez ce disque accessible "
                              "en écriture, puis recommencez.");
    case WriteFailure::ReadOnlyFile:
        return QStringLiteral("Ce fichier est en lecture seule : autorisez son écriture, puis recommencez.");
    case WriteFailure::NotARegularFile:
        return QStringLiteral("Ce chemin ne désigne pas un fichier ordinaire (c'est un dossier, un tube ou un "
                              "périphérique).");
    case WriteFailure::TooLarge:
        return QStringLiteral("Ce fichier dépasse, ou dépasserait, la taille qu'il peut avoir.");
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
    dialogs.showMessage(MessageIcon::Error, QStringLiteral("Problème"),
                        QStringLiteral("%1 :\n%2\n\n%3")
                            .arg(whatFailed, QString::fromStdString(dataFilePath), writeFailureText(failure)));
}

}  // namespace velorine::ui
