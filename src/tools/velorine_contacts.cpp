// velorine-contacts: the birthdays of an address book into the list, the list kept in step with
// an address book online, and the list out to a calendar, from a terminal.
#include <QCoreApplication>

#include <cstdio>
#include <ctime>
#include <string>
#include <string_view>
#include <vector>

#include "app/process_environment.h"
#include "app/terminal_text.h"
#include "contacts/calendar_export.h"
#include "contacts/contact_import.h"
#include "contacts/import_summary.h"
#include "contacts/vcard_reader.h"
#include "reminders/built_in_name_days.h"
#include "store/data_file.h"
#include "store/private_files.h"
#include "store/record_store.h"
#include "tools/argument_reader.h"
#include "tools/contacts_command_line.h"
#include "tools/contacts_sync.h"
#include "tools/program_data_file.h"
#include "tools/read_failure_text.h"
#include "tools/write_failure_text.h"

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

int importContacts(const tools::ContactsOptions& options) {
    const contacts::VcardReading reading = contacts::readVcardFile(options.exchangeFile);
    if (!reading.book) return refuse(contacts::refusedFileText(app::terminalText(options.exchangeFile), reading.error));
    const std::string list = options.dataFile.value_or(tools::programDataFile());
    // A new user's data folder may not exist yet; the program would make it private, so does this.
    if (!options.dataFile) store::createPrivateDirectories(parentOf(list));
    const contacts::ImportOutcome outcome = contacts::importCards(list, reading.book->cards);
    if (!outcome.stored)
        return refuse("les contacts n'ont pas pu être ajoutés à " + tools::quoted(list) + " : " +
                      tools::reasonFor(outcome.failure));
    return print(contacts::importSummary(app::terminalText(options.exchangeFile), *reading.book, outcome));
}

int exportCalendar(const tools::ContactsOptions& options) {
    const std::string list = options.dataFile.value_or(tools::programDataFile());
    store::ReadFailure failure = store::ReadFailure::None;
    std::optional<store::IniDocument> read = store::readSnapshot(list, failure);
    // A new user has no data file yet: an empty list. A file named on the command line must be there.
    if (!read && failure == store::ReadFailure::Missing && !options.dataFile) read.emplace();
    if (!read) return refuse("impossible de lire " + tools::quoted(list) + " : " + tools::reasonFor(failure));
    // One record at a time, straight from the list read: a long list is never held twice.
    const auto records = [&read](const contacts::RecordVisitor& visit) {
        store::forEachRecordIn(*read, [&visit](store::BirthdayRecord record) { visit(record); });
    };
    const contacts::CalendarExport written = contacts::exportCalendar(
        options.exchangeFile, records, options.nameDays ? &reminders::builtInNameDays() : nullptr, std::time(nullptr));
    if (written.failure != store::WriteFailure::None)
        return refuse("impossible d'écrire " + tools::quoted(options.exchangeFile) + " : " +
                      tools::reasonFor(written.failure));
    std::string summary = "Agenda " + tools::quoted(options.exchangeFile) +
                          " écrit : " + std::to_string(written.birthdays) +
                          (written.birthdays > 1 ? " anniversaires" : " anniversaire");
    if (options.nameDays)
        summary += ", " + std::to_string(written.nameDays) + (written.nameDays > 1 ? " fêtes" : " fête");
    return print(summary + ".\n");
}

int synchronise(const tools::ContactsOptions& options, int& argc, char** argv) {
    const QCoreApplication network(argc, argv);  // what the network's requests are waited in
    const tools::SyncCommandResult result = tools::synchroniseList(options);
    return result.done ? print(result.text) : refuse(result.text);
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
