#pragma once
// The windows of a run: everything after the Qt-free start-up sequence. The application (French
// throughout, Qt's own dialogs included) is created at its first need, once per run: a question of
// the start-up, or the windows. runWindows creates the windows of the run mode in their order and
// runs the event loop until the first window closes. An error raised while creating or running the
// windows is shown in an error box; the run then ends normally.

#include <memory>

#include "app/startup.h"
#include "ui/guarded_application.h"

namespace velorine::ui {

// The exit status of a run that needed a window and found no display (man velorine).
inline constexpr int kNoDisplayStatus = 3;

class RunApplication {
public:
    // `argc` and `argv` must outlive the object, as QApplication requires.
    RunApplication(int& argc, char** argv) : argc_(argc), argv_(argv) {}
    ~RunApplication();
    RunApplication(const RunApplication&) = delete;
    RunApplication& operator=(const RunApplication&) = delete;

    // The application, created at the first call with the program's title, icon and French texts.
    // Where no display can be reached (no Wayland compositor, no X server, no platform plugin for
    // them), the process ends there with kNoDisplayStatus and one French line on the standard
    // error, instead of the toolkit's abort.
    GuardedApplication& get();

private:
    int& argc_;
    char** argv_;
    std::unique_ptr<GuardedApplication> application_;
};

// Returns the exit status of the run: 0.
int runWindows(const app::StartupState& state, RunApplication& application);
// The same in an application of its own.
int runWindows(const app::StartupState& state, int& argc, char** argv);

}  // namespace velorine::ui
