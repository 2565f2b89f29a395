#include "ui/recovery_dialogs.h"

#include "ui/write_failure.h"

namespace velorine::ui {

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
        dialogs.showMessage(
            MessageIcon::Error, QStringLiteral("Problème"),
            withCause(QStringLiteral("La récupération a échoué !\n\nCorrigez le problème et recommencez..."), failure,
                      pendingFilePath));
    };
    recovery.restartProgram = [&dialogs, beforeEach] {
        beforeEach();
        return dialogs.startProgram({});
    };
    return recovery;
}

}  // namespace velorine::ui
