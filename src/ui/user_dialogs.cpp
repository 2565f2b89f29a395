#include "ui/user_dialogs.h"

#include <QFile>

#include "app/write_failure_text.h"

namespace velorine::ui {

using store::Failure;

QString failureCause(Failure failure, const std::string& filePath) {
    return QString::fromStdString(app::failureCause(failure, filePath));
}

QString writeFailureText(Failure failure, const std::string& filePath) {
    return QString::fromStdString(app::writeFailureText(failure, filePath));
}

void tellProblem(UserDialogs& dialogs, const QString& text) {
    dialogs.showMessage(MessageIcon::Error, QStringLiteral("Problème"), text);
}

std::string localPath(const QString& chosen) { return QFile::encodeName(chosen).toStdString(); }

void reportWriteFailure(UserDialogs& dialogs, const QString& whatFailed, const std::string& filePath, Failure failure) {
    tellProblem(dialogs, QStringLiteral("%1 :\n%2\n\n%3")
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

app::RecoveryDialogs recoveryDialogs(UserDialogs& dialogs, const std::function<void()>& beforeEach) {
    app::RecoveryDialogs recovery;
    recovery.askToRecover = [&dialogs, beforeEach] {
        beforeEach();
        return dialogs.askYesNo(QStringLiteral("ATTENTION"),
                                QStringLiteral("Voulez-vous récupérer les Velorine que vous avez créé dans la "
                                               "précédente version d'Velorine ?\n\n(Vous pourrez ensuite "
                                               "désinstaller votre précédente version d'Velorine)"));
    };
    recovery.tellRecoveryFailed = [&dialogs, beforeEach](store::Failure failure, const std::string& pendingFilePath) {
        beforeEach();
        tellProblem(dialogs,
                    withCause(QStringLiteral("La récupération a échoué !\n\nCorrigez le problème et recommencez..."),
                              failure, pendingFilePath));
    };
    recovery.restartProgram = [&dialogs, beforeEach] {
        beforeEach();
        return dialogs.startProgram({});
    };
    return recovery;
}

}  // namespace velorine::ui
