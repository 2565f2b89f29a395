// velorine-notification: the automatic start ("PROG") of a user who chose to be reminded by a
// desktop notification. The command users run hands over to it once the gate has passed; it runs
// the start-up again, as the windows' executable does, and shows the reminder list in a
// notification (notification_run.h), with Qt's core and D-Bus modules only: it may wait for an
// answer all day, and so stays small. It hands over to the windows' executable when the reminder
// window is wanted after all: no notification server able to show it, a click on the bubble.
#include <QCoreApplication>
#include <QDBusConnection>

#include <cstdio>
#include <string>
#include <vector>

#include "app/executables.h"
#include "app/process_environment.h"
#include "app/startup.h"
#include "notify/notification_run.h"
#include "reminders/reminder_engine.h"

using namespace velorine;

int main(int argc, char** argv) {
    app::ignoreFileSizeSignal();
    app::returnLargeBuffersToTheSystem();
    app::StartupEnvironment environment = app::processEnvironment(std::vector<std::string>(argv + 1, argv + argc));
    environment.recovery = app::recoveryInTheWindows(argv);
    // The gate's question answered with the lines themselves, from the start-up's one reading of
    // the file: something is due exactly when the list is not empty.
    std::vector<reminders::ReminderEntry> entries;
    environment.isAnythingDue = [&entries](const store::IniDocument& data, const app::StartupState& state) {
        entries = reminders::buildReminderList(data, state.nameDayReminders, state.referenceDate);
        return !entries.empty();
    };
    const app::StartupOutcome outcome = app::runStartup(environment);
    if (!outcome.problem.empty()) std::fprintf(stderr, "%s\n", outcome.problem.c_str());
    if (outcome.endsRun) return outcome.exitStatus;
    const app::StartupState& state = outcome.state;
    if (state.mode != app::RunMode::AutomaticReminder || !state.notificationReminders) app::handOverToWindows(argv);

    QCoreApplication application(argc, argv);
    const QDBusConnection bus = QDBusConnection::sessionBus();
    const notify::NotificationRun run{state.dataFilePath, std::move(entries), environment.today,
                                      QString::fromStdString(app::privateRuntimeDirectory() + "/notification")};
    if (!bus.isConnected() || notify::remindByNotification(bus, run) == notify::AfterNotification::ShowWindow)
        app::handOverToWindows(argv);
    return 0;
}
