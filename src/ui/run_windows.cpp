#include "ui/run_windows.h"

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
    windows.scheduleDialog = std::make_unique<TForm2>(context, windows.mainWindow.get());
    if (windows.mainWindow) windows.mainWindow->setScheduleDialog(windows.scheduleDialog.get());
    windows.entryDialog = std::make_unique<TSais>(context, windows.mainWindow.get());
    if (windows.mainWindow) windows.mainWindow->setEntryDialog(windows.entryDialog.get());
    return windows;
}

}  // namespace velorine::ui
