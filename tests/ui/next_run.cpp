#include "next_run.h"

#include <QTest>

#include "app/startup.h"

namespace velorine::ui::testing {
namespace {

app::StartupState nextStartupState(const WindowRig& previous, StartUp startUp) {
    if (startUp == StartUp::AlreadyRun) {
        app::StartupState state = previous.context.startup;
        state.commandWord.clear();
        state.mode = app::RunMode::List;
        return state;
    }
    const std::string directory = previous.context.startup.dataDirectory;
    app::StartupEnvironment environment{previous.context.configFilePath, directory, directory, {},
                                        [] { return kToday; },           nullptr,   {},        {}};
    return app::runStartup(environment).state;
}

}  // namespace

NextRun::NextRun(WindowRig& previous, StartUp startUp)
    : NextRun(nextStartupState(previous, startUp), previous.context.configFilePath, previous.dialogs) {}

NextRun::NextRun(const app::StartupState& state, const std::string& configFilePath, UserDialogs& dialogs)
    : context{state, configFilePath, [] { return kToday; }, dialogs}, windows(createWindows(context)) {
    windows.first->show();
    if (!QTest::qWaitForWindowExposed(windows.first)) qFatal("the next run's window is not shown");
}

QTreeView& NextRun::list() { return *windows.mainWindow->findChild<QTreeView*>(QStringLiteral("ListView")); }

}  // namespace velorine::ui::testing
