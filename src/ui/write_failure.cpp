#include "ui/write_failure.h"

#include "store/data_file.h"

namespace velorine::ui {
namespace {

using store::Failure;

struct Words {
    QString cause;   // a sentence without its full stop
    QString advice;  // what to do, before ", puis recommencez"; empty when there is nothing to do
};

QString lockFileName(const std::string& filePath) { return QString::fromStdString(store::lockFilePath(filePath)); }

Words wordsFor(Failure failure, const std::string& filePath) {
    switch (failure) {
        case Failure::Missing: return {QStringLiteral("Ce fichier n'existe pas ou plus"), {}};
        case Failure::DirectoryMissing:
            return {QStringLiteral("Le dossier de ce fichier n'existe pas ou plus"), QStringLiteral("recréez-le")};
        case Failure::Directory: return {QStringLiteral("Ce chemin désigne un dossier, pas un fichier"), {}};
        case Failure::NotARegularFile:
            return {QStringLiteral("Ce chemin ne désigne pas un fichier ordinaire (c'est un tube ou un périphérique)"),
                    {}};
        case Failure::AlreadyExists:
            return {QStringLiteral("Une liste attend déjà d'être reprise au prochain démarrage du programme"),
                    QStringLiteral("relancez le programme pour qu'il la reprenne")};
        case Failure::PermissionDenied:
            return {QStringLiteral("Vous n'avez pas les droits d'accès nécessaires à ce fichier ou à son dossier"),
                    QStringLiteral("vérifiez leurs droits d'accès")};
        case Failure::ReadOnlyFileSystem:
            return {QStringLiteral("Ce fichier se trouve sur un disque en lecture seule"),
                    QStringLiteral("rendez ce disque accessible en écriture")};
        case Failure::ReadOnlyFile:
            return {QStringLiteral("Ce fichier est en lecture seule"), QStringLiteral("autorisez son écriture")};
        case Failure::ForeignFile:
            return {QStringLiteral("Ce fichier appartient à un autre utilisateur : il n'est pas remplacé"),
                    QStringLiteral("faites-en une copie à vous")};
        case Failure::DanglingLink:
            return {QStringLiteral("Ce fichier est un lien vers %1, qui n'existe pas en ce moment (un disque "
                                   "débranché ?)")
                        .arg(QString::fromStdString(store::linkTarget(filePath))),
                    QStringLiteral("rendez-le accessible")};
        case Failure::ForeignLink:
            return {QStringLiteral("Ce fichier est un lien qui appartient à un autre utilisateur, dans un dossier "
                                   "où d'autres peuvent écrire : il n'est pas suivi"),
                    QStringLiteral("supprimez-le")};
        case Failure::TooLarge:
            return {QStringLiteral("Ce fichier dépasse, ou dépasserait, la taille qu'il peut avoir (celle que "
                                   "permet le programme, ou une limite de taille des fichiers imposée à la "
                                   "session)"),
                    {}};
        case Failure::NotSettings:
            return {QStringLiteral("Ce fichier ne peut pas être lu comme une liste d'anniversaires (texte en "
                                   "UTF-16, ou aucune section)"),
                    QStringLiteral("enregistrez-le en Windows-1252 ou en UTF-8, ou déplacez-le")};
        case Failure::DiskFull:
            return {QStringLiteral("Le disque est plein, ou votre quota d'espace est atteint"),
                    QStringLiteral("libérez de la place")};
        case Failure::LockHeld:
            return {QStringLiteral("Un autre programme tient la liste en ce moment (il garde le fichier verrou %1)")
                        .arg(lockFileName(filePath)),
                    QStringLiteral("attendez qu'il ait fini ou fermez-le")};
        case Failure::LockNotAFile:
            return {QStringLiteral("Le fichier verrou %1 n'est pas un fichier ordinaire (c'est un dossier, un lien "
                                   "ou un périphérique)")
                        .arg(lockFileName(filePath)),
                    QStringLiteral("supprimez-le")};
        case Failure::LockForeign:
            return {
                QStringLiteral("Le fichier verrou %1 appartient à un autre utilisateur").arg(lockFileName(filePath)),
                QStringLiteral("supprimez-le, ou demandez à son propriétaire de le faire")};
        case Failure::LockReadOnly:
            return {QStringLiteral("Le fichier verrou %1 est en lecture seule").arg(lockFileName(filePath)),
                    QStringLiteral("supprimez-le")};
        case Failure::IoError: return {QStringLiteral("Le disque a signalé une erreur"), QStringLiteral("vérifiez-le")};
        case Failure::None: break;
    }
    return {QStringLiteral("Ce fichier ou son dossier n'est peut-être pas accessible en écriture"),
            QStringLiteral("vérifiez-les")};
}

}  // namespace

QString failureCause(Failure failure, const std::string& filePath) {
    return wordsFor(failure, filePath).cause + QLatin1Char('.');
}

QString writeFailureText(Failure failure, const std::string& filePath) {
    const Words words = wordsFor(failure, filePath);
    if (words.advice.isEmpty()) return words.cause + QLatin1Char('.');
    return QStringLiteral("%1 : %2, puis recommencez.").arg(words.cause, words.advice);
}

void reportWriteFailure(UserDialogs& dialogs, const QString& whatFailed, const std::string& filePath, Failure failure) {
    dialogs.showMessage(MessageIcon::Error, QStringLiteral("Problème"),
                        QStringLiteral("%1 :\n%2\n\n%3")
                            .arg(whatFailed, QString::fromStdString(filePath), writeFailureText(failure, filePath)));
}

QString withCause(const QString& message, Failure failure, const std::string& filePath) {
    QString cause = failureCause(failure, filePath);
    cause[0] = cause[0].toLower();
    const QString line = QStringLiteral("\n%1 : %2").arg(QString::fromStdString(filePath), cause);
    const qsizetype firstLineEnd = message.indexOf(QLatin1Char('\n'));
    if (firstLineEnd < 0) return message + line;
    return QString(message).insert(firstLineEnd, line);
}

}  // namespace velorine::ui
