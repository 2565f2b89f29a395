// The address book online: the dialog that sets it, and the syncs that keep the list in step with
// it, each on a thread of its own so that the window stays usable. The sync at the window's
// opening says nothing unless the list changed (it is then filled again); its failure is kept in
// the data file and shown by the dialog. A sync the user asked for from the dialog ends with its
// summary, or its failure in a message.
#include <QAction>

#include "carddav/keyring.h"
#include "carddav/sync_state.h"
#include "carddav/sync_summary.h"
#include "store/data_file.h"
#include "ui/main/contacts_dialogs.h"
#include "ui/main/main_window.h"
#include "ui/main/network_task.h"
#include "ui/main/online_book_dialog.h"
#include "ui/user_dialogs.h"

namespace velorine::ui {
namespace {

// Whether the keyring keeps a password for the account; nothing when no keyring answers (asked even
// without an account, for the dialog to say where a password would go).
std::optional<bool> passwordKeptFor(const carddav::OnlineSettings& settings, std::string& password) {
    carddav::KeyringAnswer answer = carddav::lookUpPassword(settings.address, settings.user);
    switch (answer.state) {
        case carddav::KeyringState::Found:
            if (!settings.configured()) return false;
            password = std::move(answer.password);
            return true;
        case carddav::KeyringState::NotStored: return false;
        case carddav::KeyringState::Unavailable: break;
    }
    return std::nullopt;
}

}  // namespace

void TForm1::connectOnlineCommands() {
    onlineDialog_ = new OnlineBookDialog(this, context_.today);
    onlineSummary_ = new ImportSummaryDialog(this);
    onlineSummary_->setObjectName(QStringLiteral("ResumeSynchronisation"));
    onlineSummary_->setWindowTitle(QStringLiteral("Carnet d'adresses en ligne"));
    onlineSync_ = std::make_unique<NetworkTask>(this);
    connect(CarnetEnLigne1, &QAction::triggered, this, &TForm1::CarnetEnLigne1Click);
}

void TForm1::syncOnOpening() {
    const carddav::OnlineSettings settings = carddav::readOnlineSettings(context_.configFilePath);
    if (settings.configured()) startOnlineSync(settings, std::nullopt, false);
}

void TForm1::CarnetEnLigne1Click() {
    const carddav::OnlineSettings kept = carddav::readOnlineSettings(context_.configFilePath);
    std::string keptPassword;
    const std::optional<bool> passwordKept = passwordKeptFor(kept, keptPassword);
    onlineDialog_->setKeptPassword(keptPassword);
    const carddav::SyncState last = carddav::readSyncState(store::snapshot(store_.path()));
    if (!onlineDialog_->ask(kept, passwordKept, last)) return;

    const carddav::OnlineSettings chosen = onlineDialog_->chosenSettings();
    const std::string typed = onlineDialog_->typedPassword();
    if (const store::Result<> written = carddav::writeOnlineSettings(context_.configFilePath, chosen); !written) {
        reportWriteFailure(context_.dialogs, QStringLiteral("Le carnet d'adresses en ligne n'a pas pu être enregistré"),
                           context_.configFilePath, written.failure());
        return;
    }
    const bool sameAccount = kept.address == chosen.address && kept.user == chosen.user;
    if (kept.configured() && !sameAccount) carddav::forgetPassword(kept.address, kept.user);
    if (!chosen.configured()) {
        onlineSync_->stop();
        return;
    }
    std::string password = typed;
    if (!typed.empty()) {
        // Without a keyring the password lives as long as this sync, and is asked again next time.
        if (passwordKept.has_value()) carddav::storePassword(chosen.address, chosen.user, typed);
    } else if (sameAccount && passwordKept.value_or(false)) {
        password = keptPassword;
    } else {
        context_.dialogs.showMessage(MessageIcon::Warning, QStringLiteral("Attention"),
                                     QStringLiteral("Donnez le mot de passe du carnet d'adresses en ligne : sans lui "
                                                    "la liste ne peut pas être synchronisée."));
        return;
    }
    startOnlineSync(chosen, password, true);
}

void TForm1::startOnlineSync(const carddav::OnlineSettings& settings, std::optional<std::string> password,
                             bool announce) {
    carddav::SyncRequest request{store_.path(), settings, {}, context_.today(), {}, nullptr};
    onlineSync_->start<carddav::SyncOutcome>(
        [request, password](const std::atomic<bool>& cancelled) mutable {
            if (password) {
                request.password = std::move(*password);
            } else {
                // Looked up here, not on the window's thread: a locked keyring may ask the user first.
                carddav::KeyringAnswer kept = carddav::lookUpPassword(request.settings.address, request.settings.user);
                if (kept.state != carddav::KeyringState::Found) return carddav::SyncOutcome{};
                request.password = std::move(kept.password);
            }
            request.cancelled = &cancelled;
            return carddav::synchronise(request);
        },
        [this, announce](carddav::SyncOutcome outcome) { onlineSyncDone(outcome, announce); });
}

void TForm1::onlineSyncDone(const carddav::SyncOutcome& outcome, bool announce) {
    const carddav::SyncReport* report = outcome.report ? &*outcome.report : nullptr;
    if (report && report->stored && report->listChanged()) {
        fillList();
        keepCalendarUpToDate();
    }
    if (!announce) return;
    if (outcome.failure) {
        QString reason = QString::fromStdString(outcome.failure->reason);
        tellProblem(context_.dialogs, QStringLiteral("La synchronisation avec le carnet d'adresses en ligne a échoué : "
                                                     "%1.\n\nLa liste est restée telle quelle.")
                                          .arg(reason));
        return;
    }
    if (!report) return;
    if (!report->stored) {
        reportWriteFailure(context_.dialogs,
                           QStringLiteral("Les contacts du carnet d'adresses en ligne n'ont pas pu être enregistrés "
                                          "dans le fichier"),
                           store_.path(), report->failure);
        return;
    }
    onlineSummary_->showSummary(carddav::syncSummary(*report));
}

}  // namespace velorine::ui
