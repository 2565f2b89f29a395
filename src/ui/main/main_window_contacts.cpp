// The address book into the list, the list out to a calendar, and the calendar kept up to date.
// The import reads the book and adds its people in one commit, as the merge does, off the window's
// thread (a large book takes seconds), then fills the list again; the export writes the calendar
// in one step, never over a list. Every change of the list ends with the kept calendar brought up
// to date.
#include <QAction>
#include <QFile>
#include <QFileInfo>
#include <QMenu>
#include <QUrl>

#include <algorithm>
#include <ctime>
#include <optional>

#include "contacts/calendar_export.h"
#include "contacts/calendar_target.h"
#include "contacts/calendar_upkeep.h"
#include "contacts/contact_import.h"
#include "contacts/import_summary.h"
#include "contacts/vcard_reader.h"
#include "reminders/built_in_name_days.h"
#include "reminders/reminder_settings.h"
#include "store/data_file.h"
#include "ui/main/background_work.h"
#include "ui/main/contacts_dialogs.h"
#include "ui/main/kept_calendar.h"
#include "ui/main/main_window.h"
#include "ui/user_dialogs.h"

namespace velorine::ui {
namespace {

QString countOf(int count, const QString& one, const QString& many) {
    return QStringLiteral("%1 %2").arg(count).arg(count > 1 ? many : one);
}

// The alarm the calendars offer first: the reminders' own horizon.
int horizonOf(const std::string& dataFilePath) {
    return std::clamp(reminders::horizonIn(store::snapshot(dataFilePath)), 0, contacts::kLongestAlarm);
}

}  // namespace

void TForm1::connectContactsCommands() {
    exportDialog_ = new CalendarExportDialog(this);
    upkeepDialog_ = new CalendarUpkeepDialog(this, context_.dialogs);
    importSummary_ = new ImportSummaryDialog(this);
    connect(Importerdescontacts1, &QAction::triggered, this, &TForm1::Importerdescontacts1Click);
    connect(Exporterversunagenda1, &QAction::triggered, this, &TForm1::Exporterversunagenda1Click);
    connect(Tenirajourunagenda1, &QAction::triggered, this, &TForm1::Tenirajourunagenda1Click);
    // The tick says what the list holds now, read when the menu opens: nothing more at the start.
    connect(Options1, &QMenu::aboutToShow, this, &TForm1::showCalendarUpkeep);
}

void TForm1::showCalendarUpkeep() {
    Tenirajourunagenda1->setChecked(contacts::calendarUpkeepIn(store::snapshot(store_.path()), store_.path()).kept);
}

void TForm1::keepCalendarUpToDate() { ui::keepCalendarUpToDate(store_.path(), context_.dialogs); }

void TForm1::Importerdescontacts1Click() {
    const QString chosen = context_.dialogs.chooseFileToOpen(
        {QStringLiteral("Importer des contacts (vCard)"),
         {QStringLiteral("Contacts vCard (*.vcf *.vcard)"), QStringLiteral("Tous fichiers (*.*)")},
         QString()});
    if (chosen.isEmpty()) return;
    const std::string book = localPath(chosen);
    const std::string list = store_.path();
    const store::CalendarDate today = context_.today();
    contacts::VcardReading reading;
    contacts::ImportOutcome outcome;
    contacts::CalendarUpkeep upkeep;
    // The kept calendar too: a long list takes as long to write out.
    runWithProgress(*this, QStringLiteral("Importer des contacts"),
                    QStringLiteral("Importation des contacts de « %1 »...").arg(QFileInfo(chosen).fileName()), [&] {
                        reading = contacts::readVcardFile(book, today);
                        if (reading.book) outcome = contacts::importCards(list, reading.book->cards);
                        if (outcome.stored) upkeep = contacts::keepCalendarUpToDate(list);
                    });
    if (!reading.book) {
        tellProblem(context_.dialogs,
                    QString::fromStdString(contacts::refusedFileText(chosen.toStdString(), reading.error)));
        return;
    }
    if (!outcome.stored) {
        reportWriteFailure(context_.dialogs, QStringLiteral("Les contacts n'ont pas pu être ajoutés au fichier"),
                           store_.path(), outcome.failure);
        return;
    }
    fillList();
    tellCalendarUpkeep(upkeep, context_.dialogs);
    importSummary_->showSummary(contacts::importSummary(chosen.toStdString(), *reading.book, outcome));
}

void TForm1::Exporterversunagenda1Click() {
    const std::optional<CalendarChoice> choice =
        exportDialog_->ask({context_.startup.nameDayReminders, horizonOf(store_.path())});
    if (!choice) return;
    const QString chosen = context_.dialogs.chooseFileToSave({QStringLiteral("Exporter vers un agenda (iCalendar)"),
                                                              {QStringLiteral("Agenda iCalendar (*.ics)")},
                                                              QStringLiteral("Anniversaires.ics")});
    if (chosen.isEmpty()) return;
    // The chooser asked before replacing a file; a list is never replaced, whatever was answered.
    const contacts::CalendarTargetRefusal refusal =
        contacts::calendarTargetRefusal(localPath(chosen), {store_.path(), context_.startup.dataFilePath});
    if (refusal != contacts::CalendarTargetRefusal::None) {
        tellProblem(context_.dialogs,
                    QString::fromStdString(contacts::calendarTargetText(refusal, chosen.toStdString())));
        return;
    }
    const std::vector<store::BirthdayRecord> records = store_.readAll();
    const contacts::CalendarContent content{
        choice->nameDays ? &reminders::builtInNameDays() : nullptr, choice->alarmDays, {}};
    const contacts::CalendarExport written =
        contacts::exportCalendar(localPath(chosen), contacts::recordsOf(records), content, std::time(nullptr));
    if (written.failure != store::Failure::None) {
        reportWriteFailure(context_.dialogs, QStringLiteral("L'agenda n'a pas pu être écrit"), localPath(chosen),
                           written.failure);
        return;
    }
    QString what = countOf(written.birthdays, QStringLiteral("anniversaire"), QStringLiteral("anniversaires"));
    if (choice->nameDays)
        what += QStringLiteral(" et ") + countOf(written.nameDays, QStringLiteral("fête"), QStringLiteral("fêtes"));
    context_.dialogs.showMessage(
        MessageIcon::Information, QStringLiteral("Information"),
        QStringLiteral("L'agenda « %1 » a été écrit : %2.\n\n"
                       "Importez-le dans votre agenda. Pour qu'il suive la liste, choisissez plutôt « Tenir à jour "
                       "un agenda des anniversaires » dans le menu Options, et abonnez-y votre agenda.")
            .arg(chosen, what));
}

void TForm1::Tenirajourunagenda1Click() {
    const std::string list = store_.path();
    contacts::CalendarUpkeepSettings settings = contacts::calendarUpkeepIn(store::snapshot(list), list);
    const bool turningOn = !settings.kept;
    std::optional<KeptCalendarChoice> choice;
    if (turningOn) {
        choice =
            upkeepDialog_->ask({QFile::decodeName(settings.path.c_str()), {settings.nameDays, settings.alarmDays}});
        if (!choice) {
            showCalendarUpkeep();
            return;
        }
        settings = {true, localPath(choice->path), choice->content.nameDays, choice->content.alarmDays};
    } else {
        // Off: the calendar stays as it is, no longer followed.
        settings.kept = false;
    }
    const store::Result<> stored = contacts::storeCalendarUpkeep(list, settings);
    showCalendarUpkeep();
    if (!stored) {
        reportWriteFailure(context_.dialogs, QStringLiteral("L'option n'a pas pu être enregistrée dans le fichier"),
                           list, stored.failure());
        return;
    }
    if (!turningOn || !ui::keepCalendarUpToDate(list, context_.dialogs)) return;
    context_.dialogs.showMessage(
        MessageIcon::Information, QStringLiteral("Information"),
        QStringLiteral("L'agenda « %1 » suivra désormais la liste.\n\n"
                       "Abonnez-y votre agenda avec l'adresse :\n%2")
            .arg(choice->path, QUrl::fromLocalFile(QFileInfo(choice->path).absoluteFilePath()).toString()));
}

}  // namespace velorine::ui
