// Whole lists in and out of the main window: save a copy of the data file, open a list in its
// place, merge a list's records into it. Open and merge end by handing over to a new instance of
// the program, which reads everything again; this one closes.
#include <QAction>
#include <QFile>

#include <optional>

#include "store/file_copy.h"
#include "store/record_store.h"
#include "ui/main/list_file.h"
#include "ui/main/main_window.h"
#include "ui/user_dialogs.h"

namespace velorine::ui {
namespace {

const QString kTextFiles = QStringLiteral("Fichiers texte (*.txt)");
const QString kAllFiles = QStringLiteral("Tous fichiers (*.*)");

const QString kCopyFailed = QStringLiteral("La copie a échoué !\n\nCorrigez le problème et recommencez...");
const QString kOpenQuestion = QStringLiteral(
    "Cette opération supprimera les Velorine actuellement présents sur votre ordinateur.\n\n"
    "Etes-vous sûr de vouloir continuer ?");
const QString kMergeQuestion = QStringLiteral(
    "Cette opération ajoutera de nouveaux velorine à ceux actuellement présents sur votre ordinateur.\n\n"
    "Etes-vous sûr de vouloir continuer ?");
const QString kOpenedOnNextStart = QStringLiteral(
    "Velorine n'a pas pu redémarrer.\n\nLa liste ouverte sera prise en compte au prochain démarrage du programme.");
const QString kMergedOnNextStart = QStringLiteral(
    "Velorine n'a pas pu redémarrer.\n\nLes Velorine ajoutés apparaîtront au prochain démarrage du programme.");

const QString kConvertedFromUtf8 =
    QStringLiteral("Ce fichier était enregistré en UTF-8 : ses lettres accentuées ont été converties pour Velorine.");

QString problemWith(ListFileState state, const QString& path) {
    switch (state) {
        case ListFileState::Missing: return QStringLiteral("Le fichier « %1 » est introuvable.").arg(path);
        case ListFileState::NotAFile:
            return QStringLiteral("« %1 » n'est pas un fichier.\n\nChoisissez le fichier d'une liste de Velorine.")
                .arg(path);
        case ListFileState::Unreadable:
            return QStringLiteral(
                       "Le fichier « %1 » ne peut pas être lu.\n\n"
                       "Vérifiez que vous avez le droit de le lire, puis recommencez...")
                .arg(path);
        case ListFileState::TooLarge:
            return QStringLiteral(
                       "Le fichier « %1 » est bien trop volumineux pour être une liste de Velorine.\n\n"
                       "Veillez à ouvrir un fichier créé par le présent logiciel.")
                .arg(path);
        case ListFileState::Invalid:
        case ListFileState::Valid: break;
    }
    return QStringLiteral("Ce fichier est invalide !\n\nVeillez à ouvrir un fichier créé par le présent logiciel.");
}

// The list file, or nothing once the user has been told why it cannot be used.
std::optional<ListFile> validListFile(const QString& chosen, UserDialogs& dialogs) {
    ListFile list = readListFile(localPath(chosen));
    if (list.state == ListFileState::Valid) return list;
    tellProblem(dialogs, problemWith(list.state, chosen));
    return std::nullopt;
}

// Said once the converted texts are in place, so that the user knows why they read right.
void tellWhenConverted(const ListFile& list, UserDialogs& dialogs) {
    if (list.convertedFromUtf8)
        dialogs.showMessage(MessageIcon::Information, QStringLiteral("Information"), kConvertedFromUtf8);
}

// Whether it starts or not, the caller closes: the new data is in the file for the next start.
void startNewInstance(UserDialogs& dialogs, const QString& whenItCannot) {
    if (!dialogs.startProgram({})) dialogs.showMessage(MessageIcon::Warning, QStringLiteral("Attention"), whenItCannot);
}

}  // namespace

void TForm1::connectExchangeCommands() {
    connect(Enregistrersous1, &QAction::triggered, this, &TForm1::Enregistrersous1Click);
    connect(Ouvrir1, &QAction::triggered, this, &TForm1::Ouvrir1Click);
    connect(Fusionner1, &QAction::triggered, this, &TForm1::Fusionner1Click);
}

void TForm1::Enregistrersous1Click() {
    const QString chosen = context_.dialogs.chooseFileToSave(
        {QStringLiteral("Enregistrer les Velorine sous"), {kTextFiles}, QStringLiteral("Velorine.txt")});
    if (chosen.isEmpty()) return;
    // The chooser has already asked before replacing a file.
    const std::string target = localPath(chosen);
    if (const store::Result<> copied = store::copyFileReplacing(store_.path(), target); !copied)
        tellProblem(context_.dialogs, withCause(kCopyFailed, copied.failure(), target));
}

void TForm1::Ouvrir1Click() {
    const QString chosen = context_.dialogs.chooseFileToOpen({QString(), {kTextFiles, kAllFiles}, QString()});
    if (chosen.isEmpty()) return;
    const std::optional<ListFile> list = validListFile(chosen, context_.dialogs);
    if (!list) return;
    if (!context_.dialogs.askYesNo(QStringLiteral("ATTENTION"), kOpenQuestion)) return;
    // The bytes checked above, not the file again: it may have changed meanwhile. Fails when a
    // pending file is already waiting: it would be lost, or it would win.
    const std::string& pending = context_.startup.pendingFilePath;
    if (const store::Result<> copied = store::writeFileIfAbsent(pending, list->bytes); !copied) {
        tellProblem(context_.dialogs, withCause(kCopyFailed, copied.failure(), pending));
        return;
    }
    tellWhenConverted(*list, context_.dialogs);
    // The opened file replaces everything, layout included: this window's must not overwrite it.
    layoutSettled_ = true;
    startNewInstance(context_.dialogs, kOpenedOnNextStart);
    close();
}

void TForm1::Fusionner1Click() {
    if (!context_.dialogs.askYesNo(QStringLiteral("ATTENTION"), kMergeQuestion)) return;
    const QString chosen = context_.dialogs.chooseFileToOpen(
        {QStringLiteral("Où se trouvent les Velorine à ajouter ?"), {kTextFiles, kAllFiles}, QString()});
    if (chosen.isEmpty()) return;
    const std::optional<ListFile> list = validListFile(chosen, context_.dialogs);
    if (!list) return;
    // Appended as they are, duplicates and all, into the free slots; in one commit, so the data
    // file holds the whole merge or none of it.
    const std::vector<store::BirthdayRecord> records = store::readAllRecordsIn(list->content);
    if (records.empty()) return;
    if (const store::Result<> added = store_.addRecords(records); !added) {
        reportWriteFailure(context_.dialogs, QStringLiteral("Les Velorine n'ont pas pu être ajoutés au fichier"),
                           store_.path(), added.failure());
        return;
    }
    keepCalendarUpToDate();
    tellWhenConverted(*list, context_.dialogs);
    // The new instance reads the layout at once: it must find this window's already there.
    saveLayout();
    layoutSettled_ = true;
    startNewInstance(context_.dialogs, kMergedOnNextStart);
    close();
}

}  // namespace velorine::ui
