#include "ui/recovery_dialogs.h"

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
    recovery.tellRecoveryFailed = [&dialogs, beforeEach] {
        beforeEach();
        dialogs.showMessage(MessageIcon::Error, QStringLiteral("Problème"),
                            QStringLiteral("La récupération a échoué !\n\nCorrigez le problème et recommencez..."));
    };
    recovery.restartProgram = [&dialogs, beforeEach] {
        beforeEach();
        return dialogs.startProgram({});
    };
    return recovery;
}

}  // namespace velorine::ui
