#include "ui/application.h"

#include <QWidget>

#include <cstdio>
#include <cstdlib>
#include <tuple>
#include <vector>

#include "app/process_environment.h"
#include "store/civil_calendar.h"
#include "ui/context_menu_key.h"
#include "ui/french_locale.h"
#include "ui/pictures.h"
#include "ui/platform_dialogs.h"
#include "ui/run_windows.h"
#include "ui/screen_reader.h"

namespace velorine::ui {
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

}  // namespace velorine::ui
