#include "ui/write_failure.h"

#include "app/write_failure_text.h"

namespace velorine::ui {

QString writeFailureText(store::WriteFailure failure, const std::string& dataFilePath) {
    return QString::fromStdString(app::writeFailureText(failure, dataFilePath));
}

void reportWriteFailure(UserDialogs& dialogs, const QString& whatFailed, const std::string& dataFilePath,
                        store::WriteFailure failure) {
    dialogs.showMessage(
        MessageIcon::Error, QStringLiteral("Problème"),
        QStringLiteral("%1 :\n%2\n\n%3")
            .arg(whatFailed, QString::fromStdString(dataFilePath), writeFailureText(failure, dataFilePath)));
}

}  // namespace velorine::ui
