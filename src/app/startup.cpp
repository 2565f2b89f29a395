#include "app/startup.h"

#include <unistd.h>

#include <optional>
#include <tuple>

#include "app/daily_sync.h"
#include "app/terminal_text.h"
#include "reminders/reminder_engine.h"
#include "reminders/reminder_settings.h"
#include "store/data_file.h"
#include "store/dates.h"
#include "store/private_files.h"
#include "store/record_store.h"

namespace velorine::app {
namespace {

constexpr std::size_t kConfigBufferSize = 4096;
constexpr std::string_view kLongPastDay = "1 1 1990";
const store::IniDocument kNoList;

std::string configValue(const std::string& configFile, std::string_view key) {
    return store::readValue(configFile, "Velorine", key, "", kConfigBufferSize);
}

StartupState locateData(const StartupEnvironment& env) {
    StartupState state;
    state.dataDirectory = configuredDataDirectory(env.configFile, env.defaultDataDirectory);
    // Without its directory every write would be lost. One that cannot be made is told by the first
    // write that needs it, with the cause.
    std::ignore = store::createPrivateDirectories(state.dataDirectory);
    state.installDirectory = configValue(env.configFile, "InstallPath");
    if (state.installDirectory.empty()) state.installDirectory = env.executableDirectory;
    state.dataFilePath = dataFileIn(state.dataDirectory);
    state.pendingFilePath = pendingFileIn(state.dataDirectory);
    return state;
}

// The next reminder day has come. A value that does not scan stands for a day long past, so a
// damaged setting can never silence the reminders for good.
bool nextReminderDayHasCome(const store::IniDocument& data, const store::CalendarDate& today) {
    std::string text = data.read("Rappel", "Date", kLongPastDay, 13);
    if (text.empty()) text = kLongPastDay;
    const auto next = store::scanDayText(text);
    return !next || store::comparisonKey(today) >= store::comparisonKey(*next);
}

// What a start finds most days: the list compact and the format stamped, the file in the form a
// commit writes. Then the one snapshot serves the whole start and the file is not even locked.
bool isCompactAndStamped(const store::IniDocument& data) {
    return data.parsedBytesAreSerialForm() && store::isCompactIn(data) &&
           data.keyLineText("Controle", "Version") == "Version=2.0";
}

// The data file once compacted and stamped, as a snapshot of it; nothing, and the file left as it
// is, when it is no settings file at all.
std::optional<store::IniDocument> compactedAndStamped(const std::string& dataFilePath) {
    {
        // Scoped, so that the first snapshot is gone before the commit reads the file again.
        store::Result<store::IniDocument> data = store::readSnapshot(dataFilePath);
        if (data.failure() == store::Failure::NotSettings) return std::nullopt;
        if (data && isCompactAndStamped(*data)) return std::move(*data);
    }
    // Compaction and the format stamp in one commit; nothing is written when neither changes. A
    // start that cannot write goes on with the list as it is: the next one tries again, and the
    // windows tell the cause when a change of the user's cannot be stored.
    std::ignore = store::commit(dataFilePath, [](store::IniDocument& doc) {
        store::compactRecordsIn(doc);
        doc.write("Controle", "Version", "2.0");
    });
    return store::snapshot(dataFilePath);
}

// The pending list, when there is one, in the data file's place; true when it was taken.
bool takePendingList(const StartupEnvironment& env, const StartupState& state) {
    if (env.beforeListReplaced && ::access(state.pendingFilePath.c_str(), F_OK) == 0) env.beforeListReplaced(state);
    // A pending file that cannot be taken waits for the next start, and the list stays as it was.
    return static_cast<bool>(store::adoptPendingFile(state.dataFilePath, state.pendingFilePath));
}

bool isAnythingDue(const StartupEnvironment& env, const store::IniDocument& data, const StartupState& state) {
    if (env.isAnythingDue) return env.isAnythingDue(data, state);
    return reminders::isAnythingDueIn(data, state.nameDayReminders, state.referenceDate);
}

}  // namespace

std::string configuredDataDirectory(const std::string& configFile, const std::string& defaultDataDirectory) {
    std::string directory = configValue(configFile, "DataPath");
    return directory.empty() ? defaultDataDirectory : directory;
}

std::string dataFileIn(const std::string& dataDirectory) { return dataDirectory + "/velor.ini"; }

std::string pendingFileIn(const std::string& dataDirectory) { return dataDirectory + "/velor.ouv"; }

std::string commandWordFrom(const std::vector<std::string>& arguments) {
    std::string word;
    for (const auto& argument : arguments) {
        if (&argument != &arguments.front()) word += ' ';
        word += argument;
    }
    for (char& c : word)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return word;
}

RunMode runModeFor(const std::string& commandWord) {
    if (commandWord == "PROG") return RunMode::AutomaticReminder;
    if (commandWord == "RAPPEL") return RunMode::ReminderOnDemand;
    return RunMode::List;
}

StartupOutcome runStartup(const StartupEnvironment& env) {
    StartupOutcome outcome;
    StartupState& state = outcome.state;
    state = locateData(env);
    outcome.listReplaced = takePendingList(env, state);
    switch (recoverPreviousVersion({env.configFile, state.installDirectory, state.pendingFilePath}, env.recovery)) {
        case RecoveryResult::Restarted:
            // The new instance swaps the old list in: this one must not write the data file again.
            outcome.endsRun = outcome.restarted = true;
            return outcome;
        case RecoveryResult::TakenWithoutRestart:
            // What the new instance would have done first; the run then goes on with the old list.
            if (takePendingList(env, state)) outcome.listReplaced = true;
            break;
        case RecoveryResult::NothingTaken: break;
    }
    const std::optional<store::IniDocument> compacted = compactedAndStamped(state.dataFilePath);
    const store::IniDocument& data = compacted ? *compacted : kNoList;
    state.nameDayReminders = reminders::nameDayRemindersIn(data);
    state.notificationReminders = reminders::notificationRemindersIn(data);
    state.commandWord = commandWordFrom(env.arguments);
    state.mode = runModeFor(state.commandWord);

    state.referenceDate = env.today();

    if (state.mode == RunMode::AutomaticReminder) {
        outcome.dailySyncDue = compacted && isDailySyncDue(env.configFile, data, state.referenceDate);
        if (!compacted) {
            outcome.endsRun = true;
            outcome.exitStatus = 1;
            outcome.problem = "velorine : le fichier « " + terminalText(state.dataFilePath) +
                              " » ne peut pas être lu comme une liste d'anniversaires (texte UTF-16, ou aucune "
                              "section) ; il est laissé tel quel";
        } else if (!nextReminderDayHasCome(data, state.referenceDate) || !isAnythingDue(env, data, state)) {
            outcome.endsRun = true;
            outcome.exitStatus = 1;
        }
    }
    return outcome;
}

}  // namespace velorine::app
