// velorine-contacts: the birthdays of an address book into the list, the list kept in step with
// an address book online, and the list out to a calendar, from a terminal.
#include <QCoreApplication>

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <string>
#include <string_view>
#include <tuple>
#include <vector>

#include "app/process_environment.h"
#include "app/terminal_text.h"
#include "contacts/calendar_export.h"
#include "contacts/calendar_target.h"
#include "contacts/calendar_upkeep.h"
#include "contacts/contact_import.h"
#include "contacts/import_summary.h"
#include "contacts/vcard_reader.h"
#include "reminders/built_in_name_days.h"
#include "reminders/reminder_settings.h"
#include "store/civil_calendar.h"
#include "store/data_file.h"
#include "store/private_files.h"
#include "store/record_store.h"
#include "tools/argument_reader.h"
#include "tools/contacts_command_line.h"
#include "tools/contacts_sync.h"
#include "tools/failure_text.h"

namespace {

using namespace velorine;

constexpr int kDone = 0;
constexpr int kRefused = 2;

int refuse(const std::string& message) {
    std::fprintf(stderr, "velorine-contacts : %s\n", message.c_str());
    return kRefused;
}

int print(std::string_view text) {
    std::fwrite(text.data(), 1, text.size(), stdout);
    return std::fflush(stdout) == 0 && !std::ferror(stdout) ? kDone : refuse("impossible d'écrire le résumé");
}

std::string parentOf(const std::string& path) { return path.substr(0, path.rfind('/')); }

// The kept calendar after a change of the list: a line when it was written, a refusal when it
// could not be.
int keepCalendar(const std::string& list, std::string summary) {
    const contacts::CalendarUpkeep upkeep = contacts::keepCalendarUpToDate(list);
    const std::string calendar = tools::quoted(upkeep.path);
    switch (upkeep.result) {
        case contacts::UpkeepResult::NotKept:
        case contacts::UpkeepResult::UpToDate: break;
        case contacts::UpkeepResult::Written: summary += "\nAgenda " + calendar + " mis à jour.\n"; break;
        case contacts::UpkeepResult::Failed:
            print(summary);
            return refuse("l'agenda " + calendar + " n'a pas pu être mis à jour : " +
                          (upkeep.refusal != contacts::CalendarTargetRefusal::None
                               ? "ce fichier n'est pas un agenda, il n'est pas remplacé"
                               : tools::reasonFor(upkeep.failure)));
    }
    return print(summary);
}

int importContacts(const tools::ContactsOptions& options) {
    const contacts::VcardReading reading = contacts::readVcardFile(options.exchangeFile, store::localToday());
    if (!reading.book) return refuse(contacts::refusedFileText(app::terminalText(options.exchangeFile), reading.error));
    const std::string list = options.dataFile.value_or(app::programDataFile());
    // A new user's data folder may not exist yet; the program would make it private, so does this.
    // One that cannot be made is told by the import's commit, with the cause.
    if (!options.dataFile) std::ignore = store::createPrivateDirectories(parentOf(list));
    const contacts::ImportOutcome outcome = contacts::importCards(list, reading.book->cards);
    if (!outcome.stored)
        return refuse("les contacts n'ont pas pu être ajoutés à " + tools::quoted(list) + " : " +
                      tools::reasonFor(outcome.failure));
    return keepCalendar(list, contacts::importSummary(app::terminalText(options.exchangeFile), *reading.book, outcome));
}

int exportCalendar(const tools::ContactsOptions& options) {
    const std::string programList = app::programDataFile();
    const std::string list = options.dataFile.value_or(programList);
    const contacts::CalendarTargetRefusal refusal =
        contacts::calendarTargetRefusal(options.exchangeFile, {list, programList});
    if (refusal != contacts::CalendarTargetRefusal::None)
        return refuse(contacts::calendarTargetText(refusal, app::terminalText(options.exchangeFile)));
    store::Result<store::IniDocument> read = store::readSnapshot(list);
    // A new user has no data file yet: an empty list. A file named on the command line must be there.
    if (!read && read.failure() == store::Failure::Missing && !options.dataFile) read = store::IniDocument();
    if (!read) return refuse("impossible de lire " + tools::quoted(list) + " : " + tools::reasonFor(read.failure()));
    // One record at a time, straight from the list read: a long list is never held twice.
    const auto records = [&read](const contacts::RecordVisitor& visit) {
        store::forEachRecordIn(*read, [&visit](store::BirthdayRecord record) { visit(record); });
    };
    const int alarmDays =
        std::clamp(options.alarmDays.value_or(reminders::horizonIn(*read)), 0, contacts::kLongestAlarm);
    const contacts::CalendarContent content{options.nameDays ? &reminders::builtInNameDays() : nullptr, alarmDays, {}};
    const contacts::CalendarExport written =
        contacts::exportCalendar(options.exchangeFile, records, content, std::time(nullptr));
    if (written.failure != store::Failure::None)
        return refuse("impossible d'écrire " + tools::quoted(options.exchangeFile) + " : " +
                      tools::reasonFor(written.failure));
    std::string summary = "Agenda " + tools::quoted(options.exchangeFile) +
                          " écrit : " + std::to_string(written.birthdays) +
                          (written.birthdays > 1 ? " anniversaires" : " anniversaire");
    if (options.nameDays)
        summary += ", " + std::to_string(written.nameDays) + (written.nameDays > 1 ? " fêtes" : " fête");
    if (alarmDays > 0)
        summary += ", avec une alarme " + std::to_string(alarmDays) + (alarmDays > 1 ? " jours avant" : " jour avant");
    return print(summary + ".\n");
}

int synchronise(const tools::ContactsOptions& options, int& argc, char** argv) {
    const QCoreApplication network(argc, argv);  // what the network's requests are waited in
    const tools::SyncCommandResult result = tools::synchroniseList(options);
    if (!result.done) return refuse(result.text);
    return result.listChanged ? keepCalendar(result.list, result.text) : print(result.text);
}

}  // namespace

int main(int argc, char** argv) {
    app::ignoreFileSizeSignal();
    const tools::ContactsCommandLine line =
        tools::parseContactsCommandLine(std::vector<std::string>(argv + 1, argv + argc));
    if (!line.error.empty()) return refuse(line.error);
    switch (line.options.action) {
        case tools::ContactsAction::Import: return importContacts(line.options);
        case tools::ContactsAction::Export: return exportCalendar(line.options);
        case tools::ContactsAction::Synchronise: return synchronise(line.options, argc, argv);
        case tools::ContactsAction::Help: break;
    }
    return print(tools::contactsUsageText());
}
