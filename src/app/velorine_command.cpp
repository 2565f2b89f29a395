// velorine: the command users run. Most runs at logon ("PROG") end at the gate without a window,
// so this executable runs the start-up and the gate without loading any of the windows' libraries,
// and hands the run to the windows' executable (app/installed_layout.h), with the same arguments
// and environment, only when a window is to be shown. That executable runs the whole start-up
// again: handing over is then no faster than starting it directly, but never different. Once the
// gate has decided, it starts the day's sync with the address book online in the background when
// one is due (app/online_sync_schedule.h), and waits for nothing.
#include <cerrno>
#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include <unistd.h>

#include "app/background_sync.h"
#include "app/installed_layout.h"
#include "app/process_environment.h"
#include "app/startup.h"
#include "app/terminal_text.h"

namespace {

using namespace velorine;

constexpr int kHandOverFailed = 2;

// Replaces this process by the windows' executable; ends it when that executable cannot start.
[[noreturn]] void handOverToWindows(char** argv) {
    const std::string windows = app::windowsExecutableFrom(app::executableDirectory());
    ::execv(windows.c_str(), argv);
    const int error = errno;
    std::setlocale(LC_MESSAGES, "");
    std::fprintf(stderr, "velorine : impossible de lancer %s : %s\n", app::terminalText(windows).c_str(),
                 std::strerror(error));
    std::exit(kHandOverFailed);
}

}  // namespace

int main(int argc, char** argv) {
    app::ignoreFileSizeSignal();
    app::returnLargeBuffersToTheSystem();
    std::vector<std::string> arguments(argv + 1, argv + argc);
    if (app::runModeFor(app::commandWordFrom(arguments)) != app::RunMode::AutomaticReminder) handOverToWindows(argv);

    app::StartupEnvironment environment = app::processEnvironment(std::move(arguments));
    // The previous version's list is offered in a window: the windows' executable starts the run
    // over and asks. Nothing has been decided here yet that it would not decide the same way.
    const auto windowsTakeOver = [argv]() -> bool { handOverToWindows(argv); };
    environment.recovery = {windowsTakeOver, [argv] { handOverToWindows(argv); }, windowsTakeOver};
    const app::StartupOutcome outcome = app::runStartup(environment);
    if (!outcome.problem.empty()) std::fprintf(stderr, "%s\n", outcome.problem.c_str());
    // After the decision, so that the gate is as quick with a sync due as without one.
    if (outcome.dailySyncDue)
        app::startDailySync(app::contactsCommandFrom(app::executableDirectory()), !outcome.endsRun);
    if (outcome.endsRun) return outcome.exitStatus;
    handOverToWindows(argv);
}
