#include "ui/program.h"

#include <QWidget>

#include <cstdio>
#include <cstdlib>
#include <exception>
#include <string>
#include <tuple>
#include <vector>

#include "app/process_environment.h"
#include "app/startup.h"
#include "store/civil_calendar.h"
#include "ui/accessibility.h"
#include "ui/french.h"
#include "ui/help/about_box.h"
#include "ui/help/help_window.h"
#include "ui/main/entry_dialog.h"
#include "ui/main/kept_calendar.h"
#include "ui/main/main_window.h"
#include "ui/pictures.h"
#include "ui/platform_dialogs.h"
#include "ui/user_dialogs.h"
#include "ui/reminder/reminder_window.h"
#include "ui/reminder/schedule_dialog.h"

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

GuardedApplication::GuardedApplication(int& argc, char** argv) : QApplication(argc, argv) {}

bool GuardedApplication::notify(QObject* receiver, QEvent* event) {
    try {
        return QApplication::notify(receiver, event);
    } catch (...) {
        if (failure_.isEmpty()) failure_ = currentExceptionText();
        exit(0);
        return true;
    }
}

QString currentExceptionText() {
    try {
        throw;
    } catch (const std::bad_alloc&) {
        return QStringLiteral("Mémoire insuffisante.");
    } catch (const std::exception& error) {
        return QString::fromLocal8Bit(error.what());
    } catch (...) {
        return QStringLiteral("Erreur inattendue.");
    }
}

namespace {

// The program's name, as the error box of a failed run shows it. It is not the application's
// display name: the platform would glue that to every window title ("Attention — Velorine...").
const QString kApplicationTitle = QStringLiteral("Velorine  Version 2.0");

// What the toolkit says while it looks for a display: kept until it has found one (then passed on
// as usual), dropped when it has not, for one line of our own in their place.
struct StartMessages {
    QtMessageHandler previous = nullptr;
    std::vector<std::tuple<QtMsgType, QString, QString>> held;
};
StartMessages* startMessages = nullptr;

void holdOrEndWithoutDisplay(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if (type != QtFatalMsg) {
        startMessages->held.emplace_back(type, QString::fromUtf8(context.category), message);
        return;
    }
    std::fputs(
        "velorine : aucun affichage n'est accessible (ni Wayland, ni X11) : les fenêtres ne peuvent pas "
        "s'ouvrir.\n",
        stderr);
    std::_Exit(kNoDisplayStatus);
}

std::unique_ptr<GuardedApplication> createApplication(int& argc, char** argv) {
    StartMessages messages;
    startMessages = &messages;
    messages.previous = qInstallMessageHandler(holdOrEndWithoutDisplay);
    auto application = std::make_unique<GuardedApplication>(argc, argv);
    qInstallMessageHandler(messages.previous);
    startMessages = nullptr;
    for (const auto& [type, category, text] : messages.held) {
        const QByteArray name = category.toUtf8();
        QMessageLogContext context(nullptr, 0, nullptr, name.constData());
        qt_message_output(type, context, text);
    }
    return application;
}

}  // namespace

RunApplication::~RunApplication() = default;

GuardedApplication& RunApplication::get() {
    if (!application_) {
        application_ = createApplication(argc_, argv_);
        speakFrench(*application_);
        // Ties the windows to velorine.desktop, whose name a desktop's task bar shows.
        QGuiApplication::setDesktopFileName(QStringLiteral("velorine"));
        QApplication::setWindowIcon(programIcon());
        installScreenReaderSupport();
        openContextMenusWithShiftF10();
    }
    return *application_;
}

int runWindows(const app::StartupState& state, RunApplication& runApplication) {
    GuardedApplication& application = runApplication.get();
    PlatformDialogs dialogs;
    RunContext context{state, app::configFilePath(), store::localToday, dialogs};
    QString failure;
    try {
        RunWindows windows = createWindows(context);
        if (windows.first) {
            windows.first->show();
            QApplication::exec();
        }
        failure = application.failure();
    } catch (...) {
        failure = currentExceptionText();
    }
    if (!failure.isEmpty()) dialogs.showMessage(MessageIcon::Error, kApplicationTitle, failure);
    return 0;
}

int runWindows(const app::StartupState& state, int& argc, char** argv) {
    RunApplication application(argc, argv);
    return runWindows(state, application);
}

namespace {

// The window made, kept by the run when it has no parent to own it.
template <typename Window>
Window* keep(RunWindows& windows, std::unique_ptr<Window> window) {
    Window* made = window.get();
    if (!made->parentWidget())
        windows.withoutParent.push_back(std::move(window));
    else
        window.release();  // owned by its parent
    return made;
}

}  // namespace

RunWindows createWindows(RunContext& context) {
    RunWindows windows;
    if (context.startup.mode == app::RunMode::List) {
        windows.mainWindow = keep(windows, std::make_unique<TForm1>(context));
        windows.first = windows.mainWindow;
    } else {
        windows.reminderWindow = keep(windows, std::make_unique<TFRappel>(context));
        windows.first = windows.reminderWindow;
    }
    windows.helpWindow = keep(windows, std::make_unique<TAide>(context, windows.mainWindow));
    windows.aboutBox =
        keep(windows, std::make_unique<TAboutBox>(context, windows.mainWindow, app::privateRuntimeDirectory()));
    windows.scheduleDialog = keep(windows, std::make_unique<TForm2>(context, windows.mainWindow));
    windows.entryDialog = keep(windows, std::make_unique<TSais>(context, windows.mainWindow));
    if (windows.mainWindow) {
        windows.mainWindow->setHelpWindow(windows.helpWindow);
        windows.mainWindow->setAboutBox(windows.aboutBox);
        windows.mainWindow->setScheduleDialog(windows.scheduleDialog);
        windows.mainWindow->setEntryDialog(windows.entryDialog);
    }
    return windows;
}

}  // namespace velorine::ui
