#pragma once
// The run that follows a hand-over: the main window a new instance started without argument shows
// on the same data directory. Either the start-up sequence runs here first (what the new instance
// does before its windows), or another process has run it already (the real program).

#include <QTreeView>

#include "window_rig.h"

namespace velorine::ui::testing {

enum class StartUp { RunHere, AlreadyRun };

class NextRun {
public:
    NextRun(WindowRig& previous, StartUp startUp);
    // The main window on the data file of a start-up already run elsewhere.
    NextRun(const app::StartupState& state, const std::string& configFilePath, UserDialogs& dialogs);

    TForm1& form() { return *windows.mainWindow; }
    QTreeView& list();
    QStringList column(int index) { return columnTexts(list(), index); }

    RunContext context;
    RunWindows windows;
};

}  // namespace velorine::ui::testing
