#pragma once
// The start of every run, before any window: find the data file, take a pending data file in,
// offer the previous version's list once (previous_version_recovery.h), compact the records, stamp
// the file format, read the name-day option, decide the run mode from the command word and, for the
// automatic start, whether there is anything to show at all.
//
// The data file is read once when its list is already compact and its format stamped, as it is on
// most days: that one snapshot serves the check, the options and the due test, and no lock is
// taken. Otherwise the compaction commits first and the sequence goes on from a fresh snapshot.
//
// Everything the sequence needs from the system comes through StartupEnvironment, so tests run it
// on a temporary directory with a clock of their own. It never touches a display itself: the
// recovery's question and message come through the environment's seams.

#include <functional>
#include <string>
#include <vector>

#include "app/previous_version_recovery.h"
#include "store/civil_calendar.h"

namespace velorine::app {

enum class RunMode {
    List,               // any other command word: the birthday list
    ReminderOnDemand,   // "RAPPEL": the reminder window, whatever is due
    AutomaticReminder,  // "PROG": the reminder window, only when something is due
};

// Set once at start-up and read by the rest of the run.
struct StartupState {
    std::string dataDirectory;
    std::string dataFilePath;     // <data directory>/velor.ini
    std::string pendingFilePath;  // <data directory>/velor.ouv
    std::string installDirectory;
    std::string commandWord;  // the arguments joined by single blanks, a-z upper-cased
    bool nameDayReminders = false;
    RunMode mode = RunMode::List;
    store::CalendarDate referenceDate;  // the day the run started: the reminders count from it
};

struct StartupEnvironment {
    std::string configFile;            // velorine.conf: [Velorine] DataPath, InstallPath, and the recovery's
                                       // settings
    std::string defaultDataDirectory;  // used when DataPath is missing or empty
    std::string executableDirectory;   // used when InstallPath is missing or empty
    std::vector<std::string> arguments;
    store::TodayClock today;
    // The automatic start's question: is at least one birthday or name day due today? Left empty,
    // the reminder engine answers it on the start-up's own snapshot of the data file.
    std::function<bool(const StartupState&, const store::CalendarDate& today)> isAnythingDue;
    RecoveryDialogs recovery;
};

struct StartupOutcome {
    StartupState state;
    bool endsRun = false;    // create no window: see restarted and exitStatus
    bool restarted = false;  // a new instance takes the previous version's list in; this one ends with 0
    int exitStatus = 0;      // 1 when the automatic start has nothing to show
    // For standard error: one French line, without its end, when the automatic start could not read
    // the data file as a list (UTF-16, no section) and left it as it is; empty otherwise. The list
    // window tells the same itself.
    std::string problem;
    // The automatic start only: the address book online is to be read again in the background
    // (online_sync_schedule.h), whatever the gate decided.
    bool dailySyncDue = false;
};

StartupOutcome runStartup(const StartupEnvironment& environment);

// The data directory the configuration names (velorine.conf, [Velorine] DataPath), or the default
// when it names none. Creates nothing.
std::string configuredDataDirectory(const std::string& configFile, const std::string& defaultDataDirectory);
// The data file of a data directory: <directory>/velor.ini.
std::string dataFileIn(const std::string& dataDirectory);

// The command word of a run: arguments joined by single blanks, letters a-z upper-cased.
std::string commandWordFrom(const std::vector<std::string>& arguments);
RunMode runModeFor(const std::string& commandWord);

}  // namespace velorine::app
