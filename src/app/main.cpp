// velorine: the start-up sequence, then the windows of the run.
//
// The automatic start ("PROG") often has nothing to show: it then ends with status 1 before any
// window, or the display, is touched.
#include <string>
#include <vector>

#include "app/process_environment.h"
#include "app/startup.h"
#include "reminders/reminder_engine.h"
#include "ui/application.h"

int main(int argc, char** argv) {
    using namespace velorine;
    app::StartupEnvironment environment = app::processEnvironment(std::vector<std::string>(argv + 1, argv + argc));
    environment.isAnythingDue = [](const app::StartupState& state, const store::CalendarDate& today) {
        return reminders::isAnythingDue(state.dataFilePath, state.nameDayReminders, today);
    };
    const app::StartupOutcome outcome = app::runStartup(environment);
    if (outcome.endsRun) return outcome.exitStatus;
    return ui::runWindows(outcome.state, argc, argv);
}
