#include "ui/write_failure.h"

namespace velorine::ui {

void reportWriteFailure(UserDialogs& dialogs, const QString& whatFailed, const std::string& dataFilePath) {
    dialogs.showMessage(MessageIcon::Error, QStringLiteral("Problème"),
                        QStringLiteral("%1 :\n%2\n\nVérifiez que ce fichier et son dossier sont accessibles en "
                                       "écriture, puis recommencez.")
                            .arg(whatFailed, QString::fromStdString(dataFilePath)));
}

}  // namespace velorine::ui
