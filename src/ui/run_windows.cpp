#include "ui/run_windows.h"

#include "app/process_environment.h"
#include "ui/help/about_box.h"
#include "ui/help/help_window.h"
#include "ui/main/entry_dialog.h"
#include "ui/main/main_window.h"
#include "ui/reminder/reminder_window.h"
#include "ui/reminder/schedule_dialog.h"

namespace velorine::ui {

RunWindows::RunWindows() = default;
RunWindows::RunWindows(RunWindows&&) noexcept = default;
// The dialogs go before the window that owns them.
RunWindows::~RunWindows() {
    entryDialog.reset();
    scheduleDialog.reset();
    aboutBox.reset();
    helpWindow.reset();
    mainWindow.reset();
    reminderWindow.reset();
}

RunWindows createWindows(RunContext& context) {
    RunWindows windows;
    if (context.startup.mode == app::RunMode::List) {
        windows.mainWindow = std::make_unique<TForm1>(context);
        windows.first = windows.mainWindow.get();
    } else {
        windows.reminderWindow = std::make_unique<TFRappel>(context);
        windows.first = windows.reminderWindow.get();
    }
    windows.helpWindow = std::make_unique<TAide>(context, windows.mainWindow.get());
    windows.aboutBox = std::make_unique<TAboutBox>(context, windows.mainWindow.get(), app::privateRuntimeDirectory());
    windows.scheduleDialog = std::make_unique<TForm2>(context, windows.mainWindow.get());
    windows.entryDialog = std::make_unique<TSais>(context, windows.mainWindow.get());
    if (windows.mainWindow) {
        windows.mainWindow->setHelpWindow(windows.helpWindow.get());
        windows.mainWindow->setAboutBox(windows.aboutBox.get());
        windows.mainWindow->setScheduleDialog(windows.scheduleDialog.get());
        windows.mainWindow->setEntryDialog(windows.entryDialog.get());
    }
    return windows;
}

}  // namespace velorine::ui
