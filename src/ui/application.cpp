#include "ui/application.h"

#include <QWidget>

#include "app/process_environment.h"
#include "store/civil_calendar.h"
#include "ui/french_locale.h"
#include "ui/guarded_application.h"
#include "ui/pictures.h"
#include "ui/platform_dialogs.h"
#include "ui/run_windows.h"

namespace velorine::ui {
namespace {

// The program's name, as the error box of a failed run shows it. It is not the application's
// display name: the platform would glue that to every window title ("Attention — Velorine...").
const QString kApplicationTitle = QStringLiteral("Velorine  Version 2.0");

}  // namespace

int runWindows(const app::StartupState& state, int& argc, char** argv) {
    GuardedApplication application(argc, argv);
    speakFrench(application);
    // Ties the windows to velorine.desktop, whose name a desktop's task bar shows.
    QGuiApplication::setDesktopFileName(QStringLiteral("velorine"));
    QApplication::setWindowIcon(programIcon());

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

}  // namespace velorine::ui
