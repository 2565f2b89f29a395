#pragma once
// The start of every run, before any window: find the data file, take a pending data file in,
// offer the previous version's list once (previous_version_recovery.h), compact the records, stamp
// the file format, read the name-day and notification options, decide the run mode from the
// command word and, for the automatic start, whether there is anything to show at all.
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
#include "store/ini_document.h"

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
    bool notificationReminders = false;  // the automatic start reminds by a desktop notification
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
    // The automatic start's question: is at least one birthday or name day due on the reference
    // date? Asked with the start-up's own snapshot of the data file; left empty, the reminder engine
    // answers it.
    std::function<bool(const store::IniDocument& data, const StartupState&)> isAnythingDue;
    RecoveryDialogs recovery;
    // Called just before a pending list takes the data file's place, while the list it replaces is
    // still there (the windows keep what belongs to this computer and not to a list). May be empty.
    std::function<void(const StartupState&)> beforeListReplaced;
};

struct StartupOutcome {
    StartupState state;
    bool endsRun = false;    // create no window: see restarted and exitStatus
    bool restarted = false;  // a new instance takes the previous version's list in; this one ends with 0
    int exitStatus = 0;      // 1 when the automatic start has nothing to show
    // A pending list (an opened one, the previous version's) took the data file's place in this
    // start: whatever is kept of the list elsewhere (its calendar) is to be brought up to date.
    bool listReplaced = false;
    // For standard error: one French line, without its end, when the automatic start could not read
    // the data file as a list (UTF-16, no section) and left it as it is; empty otherwise. The list
    // window tells the same itself.
    std::string problem;
    // The automatic start only: the address book online is to be read again in the background
    // (app/daily_sync.h), whatever the gate decided.
    bool dailySyncDue = false;
};

StartupOutcome runStartup(const StartupEnvironment& environment);

// The data directory the configuration names (velorine.conf, [Velorine] DataPath), or the default
// when it names none. Creates nothing.
std::string configuredDataDirectory(const std::string& configFile, const std::string& defaultDataDirectory);
// The data file of a data directory: <directory>/velor.ini.
std::string dataFileIn(const std::string& dataDirectory);
// The pending data file of a data directory, which the next start takes in: <directory>/velor.ouv.
std::string pendingFileIn(const std::string& dataDirectory);

// The command word of a run: arguments joined by single blanks, letters a-z upper-cased.
std::string commandWordFrom(const std::vector<std::string>& arguments);
RunMode runModeFor(const std::string& commandWord);

}  // namespace velorine::app
