// velorine-rappels: the reminder list of a day, in a terminal, for login scripts and desktop
// notifications. It reads the data file and writes nothing, anywhere: no compaction, no stamp, no
// lock, no directory.
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#include "app/process_environment.h"
#include "app/terminal_text.h"
#include "reminders/reminder_engine.h"
#include "reminders/reminder_settings.h"
#include "store/civil_calendar.h"
#include "store/data_file.h"
#include "tools/failure_text.h"
#include "tools/rappels_command_line.h"

namespace {

using namespace velorine;

constexpr int kSomethingDue = 0;
constexpr int kNothingDue = 1;
constexpr int kRefused = 2;

int refuse(const std::string& message) {
    std::fprintf(stderr, "velorine-rappels : %s\n", message.c_str());
    return kRefused;
}

// A failed write shows in printedWhole(), which is asked once at the end.
void writeOut(std::string_view text) { std::fwrite(text.data(), 1, text.size(), stdout); }

bool printedWhole() { return std::fflush(stdout) == 0 && !std::ferror(stdout); }

}  // namespace

int main(int argc, char** argv) {
    const tools::CommandLine line = tools::parseCommandLine(std::vector<std::string>(argv + 1, argv + argc));
    if (!line.error.empty()) return refuse(line.error);
    if (line.options.help) {
        writeOut(tools::usageText());
        return printedWhole() ? 0 : refuse("impossible d'écrire l'aide");
    }

    const std::string path = line.options.dataFile ? *line.options.dataFile : app::programDataFile();
    store::Result<store::IniDocument> read = store::readSnapshot(path);
    // A new user has no data file yet: for the program that is an empty list, and so it is here.
    // A file named on the command line is another matter: it must be there.
    if (!read && read.failure() == store::Failure::Missing && !line.options.dataFile) read = store::IniDocument();
    if (!read)
        return refuse("impossible de lire « " + app::terminalText(path) + " » : " + tools::reasonFor(read.failure()));
    const store::IniDocument& data = *read;
    const store::CalendarDate reference = line.options.date.value_or(store::localToday());
    const auto entries = reminders::buildReminderList(data, reminders::nameDayRemindersIn(data), reference);
    for (const reminders::ReminderEntry& entry : entries) writeOut(app::terminalLine(entry.text) + "\n");
    if (!printedWhole()) return refuse("impossible d'écrire les rappels");
    return entries.empty() ? kNothingDue : kSomethingDue;
}
