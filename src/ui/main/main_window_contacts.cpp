// The address book into the list and the list out to a calendar. The import reads the book once
// and adds its people in one commit, as the merge does, then fills the list again; the export
// writes the calendar in one step. Neither changes anything else.
#include <QAction>
#include <QFile>

#include <ctime>

#include "contacts/calendar_export.h"
#include "contacts/contact_import.h"
#include "contacts/import_summary.h"
#include "contacts/vcard_reader.h"
#include "reminders/built_in_name_days.h"
#include "ui/main/contacts_dialogs.h"
#include "ui/main/main_window.h"
#include "ui/write_failure.h"

namespace velorine::ui {
namespace {

const QString kProblemTitle = QStringLiteral("Problème");

std::string filePath(const QString& chosen) { return QFile::encodeName(chosen).toStdString(); }

QString countOf(int count, const QString& one, const QString& many) {
    return QStringLiteral("%1 %2").arg(count).arg(count > 1 ? many : one);
}

}  // namespace

void TForm1::connectContactsCommands() {
    exportDialog_ = new CalendarExportDialog(this);
    importSummary_ = new ImportSummaryDialog(this);
    connect(Importerdescontacts1, &QAction::triggered, this, &TForm1::Importerdescontacts1Click);
    connect(Exporterversunagenda1, &QAction::triggered, this, &TForm1::Exporterversunagenda1Click);
}

void TForm1::Importerdescontacts1Click() {
    const QString chosen = context_.dialogs.chooseFileToOpen(
        {QStringLiteral("Importer des contacts (vCard)"),
         {QStringLiteral("Contacts vCard (*.vcf *.vcard)"), QStringLiteral("Tous fichiers (*.*)")},
         QString()});
    if (chosen.isEmpty()) return;
    const contacts::VcardReading reading = contacts::readVcardFile(filePath(chosen));
    if (!reading.book) {
        context_.dialogs.showMessage(
            MessageIcon::Error, kProblemTitle,
            QString::fromStdString(contacts::refusedFileText(chosen.toStdString(), reading.error)));
        return;
    }
    const contacts::ImportOutcome outcome = contacts::importCards(store_.path(), reading.book->cards);
    if (!outcome.stored) {
        reportWriteFailure(context_.dialogs, QStringLiteral("Les contacts n'ont pas pu être ajoutés au fichier"),
                           store_.path(), outcome.failure);
        return;
    }
    fillList();
    importSummary_->showSummary(contacts::importSummary(chosen.toStdString(), *reading.book, outcome));
}

void TForm1::Exporterversunagenda1Click() {
    if (!exportDialog_->ask(context_.startup.nameDayReminders)) return;
    const bool nameDays = exportDialog_->nameDaysChosen();
    const QString chosen = context_.dialogs.chooseFileToSave({QStringLiteral("Exporter vers un agenda (iCalendar)"),
                                                              {QStringLiteral("Agenda iCalendar (*.ics)")},
                                                              QStringLiteral("Anniversaires.ics")});
    if (chosen.isEmpty()) return;
    const std::vector<store::BirthdayRecord> records = store_.readAll();
    const contacts::CalendarExport written =
        contacts::exportCalendar(filePath(chosen), contacts::recordsOf(records),
                                 nameDays ? &reminders::builtInNameDays() : nullptr, std::time(nullptr));
    if (written.failure != store::Failure::None) {
        reportWriteFailure(context_.dialogs, QStringLiteral("L'agenda n'a pas pu être écrit"), filePath(chosen),
                           written.failure);
        return;
    }
    QString what = countOf(written.birthdays, QStringLiteral("anniversaire"), QStringLiteral("anniversaires"));
    if (nameDays)
        what += QStringLiteral(" et ") + countOf(written.nameDays, QStringLiteral("fête"), QStringLiteral("fêtes"));
    context_.dialogs.showMessage(MessageIcon::Information, QStringLiteral("Information"),
                                 QStringLiteral("L'agenda « %1 » a été écrit : %2.\n\n"
                                                "Importez-le dans votre agenda ; l'importer de nouveau plus tard "
                                                "met ses événements à jour sans les doubler.")
                                     .arg(chosen, what));
}

}  // namespace velorine::ui
