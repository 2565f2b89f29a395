// velorine: the command users run. Most runs at logon ("PROG") end at the gate without a window,
// so this executable runs the start-up and the gate without loading any of the windows' libraries,
// and hands the run over (app/executables.h) only when something is to be shown: to the notification
// when the user chose to be reminded by one, else to the windows' executable. That executable runs
// the whole start-up again: handing over is then no faster than starting it directly, but never
// different. Once the gate has decided, it starts the day's sync with the address book online in the
// background when one is due (app/daily_sync.h), and waits for nothing.
#include <cstdio>
#include <string>
#include <vector>

#include <unistd.h>

#include "app/daily_sync.h"
#include "app/executables.h"
#include "app/process_environment.h"
#include "app/startup.h"

using namespace velorine;

int main(int argc, char** argv) {
    app::ignoreFileSizeSignal();
    app::returnLargeBuffersToTheSystem();
    std::vector<std::string> arguments(argv + 1, argv + argc);
    if (app::runModeFor(app::commandWordFrom(arguments)) != app::RunMode::AutomaticReminder)
        app::handOverToWindows(argv);

    app::StartupEnvironment environment = app::processEnvironment(std::move(arguments));
    // A pending list is taken in by the windows' executable, which also brings the list's calendar
    // up to date (that needs libraries this one does not load). Rare: after an open or a recovery
    // whose restart failed.
    const std::string dataDirectory =
        app::configuredDataDirectory(environment.configFile, environment.defaultDataDirectory);
    if (::access(app::pendingFileIn(dataDirectory).c_str(), F_OK) == 0) app::handOverToWindows(argv);
    environment.recovery = app::recoveryInTheWindows(argv);
    const app::StartupOutcome outcome = app::runStartup(environment);
    if (!outcome.problem.empty()) std::fprintf(stderr, "%s\n", outcome.problem.c_str());
    // After the decision, so that the gate is as quick with a sync due as without one.
    if (outcome.dailySyncDue)
        app::startDailySync(app::contactsCommandFrom(app::executableDirectory()), !outcome.endsRun);
    if (outcome.endsRun) return outcome.exitStatus;
    if (outcome.state.notificationReminders)
        app::handOverTo(app::notificationExecutableFrom(app::executableDirectory()), argv);
    app::handOverToWindows(argv);
}
