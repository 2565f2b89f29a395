#pragma once
// From main() to the first window: the run, its application object and the windows it creates.
//
// A whole run of the program, as main() runs it: the start-up sequence with the system behind its
// seams, then the windows. The automatic start ("PROG") often has nothing to show: it then ends with
// status 1 before any window, or the display, is touched; the display is opened only when a window
// must be shown, the recovery's question included.

#include <QApplication>
#include <QString>

#include <memory>
#include <vector>

#include "app/startup.h"
#include "ui/run_context.h"

class QWidget;

namespace velorine::ui {

// The exit status of the run.
int runProgram(int& argc, char** argv);

// The application object of a run. An exception thrown while an event is handled cannot go on
// through Qt's own code: it is caught here, remembered, and the event loops are ended, so the run
// reports it and ends normally instead of aborting.

class GuardedApplication final : public QApplication {
public:
    GuardedApplication(int& argc, char** argv);

    bool notify(QObject* receiver, QEvent* event) override;

    // The message of the exception that ended the event loops; empty when none did.
    const QString& failure() const { return failure_; }

private:
    QString failure_;
};

// The text to show for an exception caught in flight (call from a catch block).
QString currentExceptionText();

// The windows of a run: everything after the Qt-free start-up sequence. The application (French
// throughout, Qt's own dialogs included) is created at its first need, once per run: a question of
// the start-up, or the windows. runWindows creates the windows of the run mode in their order and
// runs the event loop until the first window closes. An error raised while creating or running the
// windows is shown in an error box; the run then ends normally.

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

// The windows of a run, created once, in their order: the first window of the run mode, then the
// dialogs it opens, hidden until a command shows them. In the list mode the first window is the main
// window TForm1, in the reminder modes the reminder window TFRappel (the main window does not exist
// then). The quick help TAide, the about box TAboutBox, the reminder schedule dialog TForm2 and the
// add/modify dialog TSais follow, in every run mode.

class TAboutBox;
class TAide;
class TFRappel;
class TForm1;
class TForm2;
class TSais;

struct RunWindows {
    TFRappel* reminderWindow = nullptr;  // reminder modes only
    TForm1* mainWindow = nullptr;        // list mode only
    TAide* helpWindow = nullptr;
    TAboutBox* aboutBox = nullptr;
    TForm2* scheduleDialog = nullptr;
    TSais* entryDialog = nullptr;
    QWidget* first = nullptr;  // the window the run is about

    // Each window has one owner. The dialogs are children of the main window when there is one, and
    // go with it; the run owns here the windows that have no parent: the first window, and the
    // dialogs of the reminder modes.
    std::vector<std::unique_ptr<QWidget>> withoutParent;
};

RunWindows createWindows(RunContext& context);

}  // namespace velorine::ui
