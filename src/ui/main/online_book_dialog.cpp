#include "ui/main/online_book_dialog.h"

#include <algorithm>

#include <QBoxLayout>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

#include "carddav/keyring.h"
#include "carddav/server_address.h"
#include "store/dates.h"
#include "ui/window_placement.h"
#include "ui/design.h"

namespace velorine::ui {
namespace {

QString text(const std::string& utf8) { return QString::fromStdString(utf8); }

QString capitalised(const std::string& reason) {
    QString sentence = text(reason);
    if (!sentence.isEmpty()) sentence[0] = sentence[0].toUpper();
    return sentence + QLatin1Char('.');
}

QString lastSyncText(const carddav::SyncState& last) {
    if (!last.lastDay) return QStringLiteral("Aucune synchronisation pour l'instant.");
    const QString day = text(store::displayDate(*last.lastDay));
    if (last.failure.empty()) return QStringLiteral("Dernière synchronisation : le %1, réussie.").arg(day);
    return QStringLiteral("Dernière synchronisation : le %1, en échec : %2.").arg(day, text(last.failure));
}

QString keyringText(std::optional<bool> passwordKept) {
    if (!passwordKept) return text(carddav::kNoKeyringText);
    if (*passwordKept)
        return QStringLiteral(
            "Le mot de passe est gardé dans le trousseau de clés du bureau : laissez la case vide "
            "pour le garder.");
    return QStringLiteral("Le mot de passe sera gardé dans le trousseau de clés du bureau, jamais dans un fichier.");
}

QLabel* wrappedLabel(const QString& caption, const char* name, QWidget* parent) {
    auto* label = new QLabel(caption, parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setWordWrap(true);
    return label;
}

QLineEdit* box(const char* name, QWidget* parent) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(QString::fromLatin1(name));
    return edit;
}

}  // namespace

OnlineBookDialog::OnlineBookDialog(QWidget* mainWindow, store::TodayClock today)
    : QDialog(mainWindow), mainWindow_(mainWindow), today_(std::move(today)) {
    setObjectName(QStringLiteral("CarnetEnLigne"));
    setWindowTitle(QStringLiteral("Carnet d'adresses en ligne"));
    setFont(designFont(QStringLiteral("MS Sans Serif"), 11));
    auto* intro = wrappedLabel(QStringLiteral("Velorine lit les anniversaires de votre carnet d'adresses en ligne "
                                              "(serveur CardDAV) et tient la liste à jour : une fois par jour à "
                                              "l'ouverture de session, et à chaque ouverture de la liste. Une "
                                              "personne retirée du carnet reste dans la liste."),
                               "LabelIntro", this);
    EditAdresse = box("EditAdresse", this);
    EditAdresse->setPlaceholderText(QStringLiteral("https://exemple.org/ ou l'adresse du carnet"));
    EditUtilisateur = box("EditUtilisateur", this);
    EditMotDePasse = box("EditMotDePasse", this);
    EditMotDePasse->setEchoMode(QLineEdit::Password);
    BoutonEssayer = new QPushButton(QStringLiteral("&Essayer"), this);
    BoutonEssayer->setObjectName(QStringLiteral("BoutonEssayer"));
    LabelResultat = wrappedLabel({}, "LabelResultat", this);
    LabelResultat->setTextInteractionFlags(Qt::TextSelectableByMouse);
    ListeCarnets = new QListWidget(this);
    ListeCarnets->setObjectName(QStringLiteral("ListeCarnets"));
    ListeCarnets->setMaximumHeight(90);
    CaseCertificat = new QCheckBox(this);
    CaseCertificat->setObjectName(QStringLiteral("CaseCertificat"));
    CaseCertificat->hide();
    LabelTrousseau = wrappedLabel({}, "LabelTrousseau", this);
    LabelDerniere = wrappedLabel({}, "LabelDerniere", this);

    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("&Adresse :"), EditAdresse);
    form->addRow(QStringLiteral("&Utilisateur :"), EditUtilisateur);
    form->addRow(QStringLiteral("&Mot de passe :"), EditMotDePasse);
    auto* trial = new QHBoxLayout;
    trial->addWidget(BoutonEssayer, 0, Qt::AlignTop);
    trial->addWidget(LabelResultat, 1);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &OnlineBookDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(BoutonEssayer, &QPushButton::clicked, this, &OnlineBookDialog::BoutonEssayerClick);

    auto* column = new QVBoxLayout(this);
    column->addWidget(intro);
    column->addSpacing(6);
    column->addLayout(form);
    column->addLayout(trial);
    column->addWidget(new QLabel(QStringLiteral("Carnets à synchroniser :"), this));
    column->addWidget(ListeCarnets);
    column->addWidget(CaseCertificat);
    column->addWidget(LabelTrousseau);
    column->addWidget(LabelDerniere);
    column->addWidget(buttons);
    resize(520, 440);
}

bool OnlineBookDialog::ask(const carddav::OnlineSettings& settings, std::optional<bool> passwordKept,
                           const carddav::SyncState& last) {
    settings_ = settings;
    offeredFingerprint_.clear();
    EditAdresse->setText(text(settings.address));
    EditUtilisateur->setText(text(settings.user));
    EditMotDePasse->clear();
    EditMotDePasse->setPlaceholderText(passwordKept.value_or(false) ? QStringLiteral("(gardé dans le trousseau)")
                                                                    : QString());
    LabelResultat->clear();
    ListeCarnets->clear();
    for (const std::string& book : settings.books) {
        auto* item = new QListWidgetItem(text(book), ListeCarnets);
        item->setData(Qt::UserRole, text(book));
        item->setCheckState(Qt::Checked);
    }
    CaseCertificat->setChecked(false);
    CaseCertificat->hide();
    LabelTrousseau->setText(keyringText(passwordKept));
    LabelDerniere->setText(lastSyncText(last));
    EditAdresse->setFocus();
    return exec() == QDialog::Accepted;
}

carddav::OnlineSettings OnlineBookDialog::chosenSettings() const {
    carddav::OnlineSettings chosen{
        EditAdresse->text().trimmed().toStdString(), EditUtilisateur->text().trimmed().toStdString(), {}, {}};
    if (!chosen.configured()) return chosen;
    const bool sameServer = chosen.address == settings_.address;
    if (CaseCertificat->isChecked())
        chosen.fingerprint = offeredFingerprint_;
    else if (sameServer)
        chosen.fingerprint = settings_.fingerprint;
    // The books ticked, kept by their addresses: a sync then asks each for its changes, one request
    // when nothing changed. Without a trial the books kept stay, for the same server.
    if (ListeCarnets->count() == 0 && sameServer) chosen.books = settings_.books;
    for (int i = 0; i < ListeCarnets->count(); ++i) {
        const QListWidgetItem* item = ListeCarnets->item(i);
        if (item->checkState() == Qt::Checked)
            chosen.books.push_back(item->data(Qt::UserRole).toString().toStdString());
    }
    return chosen;
}

std::string OnlineBookDialog::typedPassword() const { return EditMotDePasse->text().toStdString(); }

void OnlineBookDialog::BoutonEssayerClick() {
    carddav::OnlineSettings trying = chosenSettings();
    const carddav::CheckedAddress address = carddav::checkServerAddress(trying.address);
    if (!address.refusal.empty()) {
        LabelResultat->setText(capitalised(address.refusal));
        return;
    }
    std::string password = typedPassword();
    if (password.empty() && trying.address == settings_.address && trying.user == settings_.user)
        password = keptPassword_;
    BoutonEssayer->setEnabled(false);
    LabelResultat->setText(QStringLiteral("Recherche des carnets d'adresses…"));
    trial_.start<carddav::Trial>(
        [trying, password, today = today_()](const std::atomic<bool>& cancelled) {
            return carddav::tryAccount(trying, password, today, {}, &cancelled);
        },
        [this](carddav::Trial trial) { showTrial(trial); });
}

void OnlineBookDialog::showTrial(const carddav::Trial& trial) {
    BoutonEssayer->setEnabled(true);
    if (trial.failure) {
        LabelResultat->setText(capitalised(trial.failure->reason));
        if (trial.failure->kind == carddav::FailureKind::Certificate && !trial.failure->fingerprint.empty()) {
            offeredFingerprint_ = trial.failure->fingerprint;
            // The fingerprint on two lines of sixteen bytes: the box stays as wide as the dialog.
            const QString fingerprint = text(offeredFingerprint_);
            CaseCertificat->setText(QStringLiteral("Faire confiance à ce certificat-là, d'empreinte SHA-256 :\n%1\n%2")
                                        .arg(fingerprint.left(47), fingerprint.mid(48)));
            CaseCertificat->setChecked(false);
            CaseCertificat->show();
        }
        return;
    }
    LabelResultat->setText(QStringLiteral("« %1 »").arg(text(carddav::trialText(trial))));
    const bool all = settings_.books.empty() || EditAdresse->text().trimmed().toStdString() != settings_.address;
    ListeCarnets->clear();
    for (const carddav::BookOverview& book : trial.books) {
        auto* item = new QListWidgetItem(QStringLiteral("%1 — %2 contacts, %3 avec un anniversaire")
                                             .arg(text(book.name))
                                             .arg(book.contacts)
                                             .arg(book.withBirthday),
                                         ListeCarnets);
        item->setData(Qt::UserRole, text(book.address));
        const bool chosen =
            all || std::find(settings_.books.begin(), settings_.books.end(), book.address) != settings_.books.end();
        item->setCheckState(chosen ? Qt::Checked : Qt::Unchecked);
    }
}

void OnlineBookDialog::accept() {
    const std::string address = EditAdresse->text().trimmed().toStdString();
    if (!address.empty()) {
        const carddav::CheckedAddress checked = carddav::checkServerAddress(address);
        if (!checked.refusal.empty()) {
            LabelResultat->setText(capitalised(checked.refusal));
            return;
        }
        if (ListeCarnets->count() > 0 && chosenSettings().books.empty()) {
            LabelResultat->setText(QStringLiteral("Cochez au moins un carnet à synchroniser."));
            return;
        }
    }
    QDialog::accept();
}

void OnlineBookDialog::done(int result) {
    trial_.stop();
    BoutonEssayer->setEnabled(true);
    QDialog::done(result);
}

void OnlineBookDialog::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    centreOver(*this, *mainWindow_);
}

}  // namespace velorine::ui
