#pragma once
// The dialog "Carnet d'adresses en ligne", from the list window's Fichier menu: the address of a
// CardDAV server or address book, a user name and a password; "Essayer" finds the address books
// behind the address and says what they hold (« 2 carnets, 412 contacts dont 97 avec un
// anniversaire »), in the background, the dialog usable meanwhile; the user keeps the books to
// sync among those found. A certificate the program does not trust is named with its fingerprint,
// and the user may trust that one. OK keeps the choices (the window stores them and syncs).
//
// Names:
//   `EditAdresse`, `EditUtilisateur`, `EditMotDePasse` — the three boxes
//   `BoutonEssayer` — tries the account; `LabelResultat` — what the trial found, or why it failed
//   `ListeCarnets` — the books found, each with its tick
//   `CaseCertificat` — trust the certificate just refused (shown after such a refusal)
//   `LabelTrousseau` — where the password is kept; `LabelDerniere` — the last sync and its result

#include <QDialog>

#include <optional>
#include <string>

#include "store/civil_calendar.h"
#include "carddav/online_settings.h"
#include "carddav/sync_state.h"
#include "carddav/synchronisation.h"
#include "ui/main/network_task.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace velorine::ui {

class OnlineBookDialog final : public QDialog {
    Q_OBJECT
public:
    OnlineBookDialog(QWidget* mainWindow, store::TodayClock today);

    // Shown modally with the settings kept, whether a password is in the keyring for them
    // (nothing: no keyring answers), and what the data file says of the last sync. True on OK.
    bool ask(const carddav::OnlineSettings& settings, std::optional<bool> passwordKept, const carddav::SyncState& last);

    // After OK: the settings chosen, and the password typed (empty: keep the keyring's).
    carddav::OnlineSettings chosenSettings() const;
    std::string typedPassword() const;

    // The password the trial uses when none is typed: the keyring's, looked up by the window.
    void setKeptPassword(std::string password) { keptPassword_ = std::move(password); }

public slots:
    void BoutonEssayerClick();

protected:
    void showEvent(QShowEvent* event) override;
    void done(int result) override;

private:
    void showTrial(const carddav::Trial& trial);
    void accept() override;

    QWidget* mainWindow_;
    store::TodayClock today_;
    NetworkTask trial_{this};
    carddav::OnlineSettings settings_;
    std::string keptPassword_;
    std::string offeredFingerprint_;  // of the certificate just refused
    QLineEdit* EditAdresse = nullptr;
    QLineEdit* EditUtilisateur = nullptr;
    QLineEdit* EditMotDePasse = nullptr;
    QPushButton* BoutonEssayer = nullptr;
    QLabel* LabelResultat = nullptr;
    QListWidget* ListeCarnets = nullptr;
    QCheckBox* CaseCertificat = nullptr;
    QLabel* LabelTrousseau = nullptr;
    QLabel* LabelDerniere = nullptr;
};

}  // namespace velorine::ui
