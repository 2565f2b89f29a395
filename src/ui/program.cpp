#include "ui/program.h"

#include <cstdio>
#include <string>
#include <vector>

#include "app/process_environment.h"
#include "app/startup.h"
#include "ui/application.h"
#include "ui/main/kept_calendar.h"
#include "ui/platform_dialogs.h"
#include "ui/recovery_dialogs.h"

namespace velorine::ui {

int runProgram(int& argc, char** argv) {
    app::ignoreFileSizeSignal();
    app::returnLargeBuffersToTheSystem();
    RunApplication application(argc, argv);
    PlatformDialogs dialogs;
    app::StartupEnvironment environment = app::processEnvironment(std::vector<std::string>(argv + 1, argv + argc));
    // The application asked for here is the one the windows use later: one per run.
    environment.recovery = recoveryDialogs(dialogs, [&application] { application.get(); });
    CalendarAcrossSwap calendar;
    environment.beforeListReplaced = [&calendar](const app::StartupState& state) { calendar.keep(state.dataFilePath); };
    const app::StartupOutcome outcome = app::runStartup(environment);
    if (!outcome.problem.empty()) std::fprintf(stderr, "%s\n", outcome.problem.c_str());
    if (outcome.listReplaced) calendar.bringUpToDate(outcome.state.dataFilePath);
    if (outcome.endsRun) return outcome.exitStatus;
    return runWindows(outcome.state, application);
}

}  // namespace velorine::ui
