#pragma once
// The windows of a run: everything after the Qt-free start-up sequence. Creates the application
// (French throughout, Qt's own dialogs included), the windows of the run mode in their order, and
// runs the event loop until the first window closes. An error raised while creating or running the
// windows is shown in an error box; the run then ends normally.

#include "app/startup.h"

namespace velorine::ui {

// Returns the exit status of the run: 0.
int runWindows(const app::StartupState& state, int& argc, char** argv);

}  // namespace velorine::ui
