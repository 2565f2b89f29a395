// A whole run of the windows: runWindows creates its own application, so each test runs one, and
// drives it from a function every new application calls as it starts.
#include <QApplication>
#include <QMessageBox>
#include <QTest>
#include <QTimer>
#include <QWindow>
#include <qpa/qplatformwindow.h>

#include <algorithm>
#include <functional>
#include <stdexcept>

#include "ui/program.h"
#include "ui/help/about_box.h"
#include "ui/help/help_window.h"
#include "ui/main/entry_dialog.h"
#include "ui/main/main_window.h"
#include "ui/reminder/reminder_window.h"
#include "window_rig.h"

using namespace velorine;
using namespace velorine::ui;

namespace {

std::function<void()> whileRunning;

void startDriving() {
    if (whileRunning) QTimer::singleShot(0, whileRunning);
}
Q_COREAPP_STARTUP_FUNCTION(startDriving)

TForm1* shownMainWindow() {
    for (QWidget* window : QApplication::topLevelWidgets())
        if (auto* form = qobject_cast<TForm1*>(window); form && form->isVisible()) return form;
    return nullptr;
}

app::StartupState stateIn(const QTemporaryDir& directory, app::RunMode mode) {
    app::StartupState state;
    state.dataFilePath = directory.filePath("velor.ini").toStdString();
    state.mode = mode;
    testing::writeBytes(state.dataFilePath, testing::recordSection({{"Dupont", "Jean", "10/03/1990", "", ""}}));
    return state;
}

// The title the window system is given: an X11 window gets its title through this very function
// of its platform window, which appends the application display name when one is set.
struct PlatformWindowTitle : QPlatformWindow {
    using QPlatformWindow::formatWindowTitle;
};

QString platformTitle(QWidget& window) {
    QWindow* handle = window.windowHandle();
    if (!handle || !handle->handle()) return QStringLiteral("<no platform window>");
    return PlatformWindowTitle::formatWindowTitle(handle->title(), QStringLiteral(" \u2014 "));
}

int run(const app::StartupState& state) {
    static char name[] = "velorine";
    static char* argv[] = {name, nullptr};
    int argc = 1;
    return runWindows(state, argc, argv);
}

}  // namespace

class ApplicationTest : public QObject {
    Q_OBJECT

private slots:
    void cleanup() { whileRunning = nullptr; }

    void listModeShowsTheMainWindowInFrenchAndEndsWhenItCloses() {
        QTemporaryDir directory;
        QString title, boxTitle, yes, rows;
        bool dialogHidden = false, iconSet = false;
        whileRunning = [&] {
            TForm1* form = shownMainWindow();
            if (!form) return;
            title = platformTitle(*form);
            QMessageBox box(QMessageBox::Warning, QStringLiteral("Attention"), QStringLiteral("Texte"));
            box.winId();  // its platform window, without showing it
            boxTitle = platformTitle(box);
            yes = QCoreApplication::translate("QPlatformTheme", "&Yes");
            rows = form->findChild<QLabel*>("Label4")->text();
            auto* dialog = form->findChild<TSais*>();
            dialogHidden = dialog && !dialog->isVisible();
            iconSet = !QApplication::windowIcon().isNull();
            form->close();
        };
        QCOMPARE(run(stateIn(directory, app::RunMode::List)), 0);
        QCOMPARE(title, QString("Velorine Version 2.0"));
        QCOMPARE(boxTitle, QString("Attention"));
        QCOMPARE(yes, QString("&Oui"));
        QCOMPARE(rows, QString("1 Anniversaire"));
        QVERIFY(dialogHidden);
        QVERIFY(iconSet);
    }

    // The reminder window is the run's first window; the main window never exists, and closing the
    // reminder window ends the run.
    void reminderModesShowTheReminderWindowAndEndWhenItCloses() {
        for (auto mode : {app::RunMode::ReminderOnDemand, app::RunMode::AutomaticReminder}) {
            QTemporaryDir directory;
            bool reminderWindowSeen = false;
            bool mainWindowSeen = false;
            whileRunning = [&] {
                const QWidgetList windows = QApplication::topLevelWidgets();
                mainWindowSeen = std::any_of(windows.cbegin(), windows.cend(),
                                             [](QWidget* w) { return qobject_cast<TForm1*>(w) != nullptr; });
                for (QWidget* window : windows)
                    if (auto* reminders = qobject_cast<TFRappel*>(window); reminders && reminders->isVisible()) {
                        reminderWindowSeen = true;
                        reminders->close();
                    }
            };
            QCOMPARE(run(stateIn(directory, mode)), 0);
            QVERIFY(reminderWindowSeen);
            QVERIFY(!mainWindowSeen);
        }
    }

    void windowsOfEachModeComeInOrder() {
        int argc = 1;
        char name[] = "velorine";
        char* argv[] = {name, nullptr};
        QApplication application(argc, argv);
        QTemporaryDir directory;
        testing::RecordingDialogs dialogs;
        RunContext context{stateIn(directory, app::RunMode::List), "", [] { return testing::kToday; }, dialogs};
        RunWindows windows = createWindows(context);
        QCOMPARE(windows.first, static_cast<QWidget*>(windows.mainWindow));
        for (QDialog* dialog :
             std::initializer_list<QDialog*>{windows.helpWindow, windows.aboutBox, windows.entryDialog}) {
            QCOMPARE(dialog->parentWidget(), static_cast<QWidget*>(windows.mainWindow));
            QVERIFY(!dialog->isVisible());
        }

        context.startup.mode = app::RunMode::ReminderOnDemand;
        RunWindows reminder = createWindows(context);
        QCOMPARE(reminder.first, static_cast<QWidget*>(reminder.reminderWindow));
        QVERIFY(!reminder.mainWindow);
        for (QDialog* dialog : std::initializer_list<QDialog*>{reminder.helpWindow, reminder.aboutBox,
                                                               reminder.scheduleDialog, reminder.entryDialog})
            QVERIFY(dialog && !dialog->parentWidget() && !dialog->isVisible());
    }

    void anErrorDuringTheRunIsShownAndTheRunEndsNormally() {
        QTemporaryDir directory;
        QString shown;
        whileRunning = [&] {
            // Answers the error box once it is up.
            auto* answer = new QTimer(qApp);
            QObject::connect(answer, &QTimer::timeout, [&] {
                if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                    shown = box->text();
                    box->accept();
                }
            });
            answer->start(10);
            QTimer::singleShot(0, qApp, [] { throw std::runtime_error("Fichier introuvable"); });
        };
        QCOMPARE(run(stateIn(directory, app::RunMode::List)), 0);
        QCOMPARE(shown, QString("Fichier introuvable"));
    }
};

QTEST_APPLESS_MAIN(ApplicationTest)
#include "application_test.moc"
