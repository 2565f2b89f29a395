// Every command from the keyboard: where Tab goes in each window, the focus the own controls draw
// only then, the keys of the answers, the banner, the date block and the date picker, the Menu key
// and Shift+F10 for the context menus, and the letters of the add dialog's boxes.
#include <QAction>
#include <QApplication>
#include <QCalendarWidget>
#include <QCheckBox>
#include <QContextMenuEvent>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QTest>
#include <QToolButton>
#include <QTreeView>

#include "controls/banner.h"
#include "controls/ie_button.h"
#include "reminder_test_data.h"
#include "store/data_file.h"
#include "ui/accessibility.h"
#include "window_rig.h"

using namespace velorine;
using namespace velorine::ui;
using namespace velorine::ui::testing;

namespace {

// Active itself, not through a window it belongs to.
bool activate(QWidget& window) {
    window.activateWindow();
    return QTest::qWaitFor([&] { return QGuiApplication::focusWindow() == window.windowHandle(); });
}

// The object names the focus visits, Tab after Tab, starting after the current one, until it is
// back where it started.
QStringList tabRound(QWidget& window) {
    QStringList visited;
    const QWidget* start = QApplication::focusWidget();
    for (int step = 0; step < 30; ++step) {
        QTest::keyClick(&window, Qt::Key_Tab);
        QWidget* now = QApplication::focusWidget();
        visited << now->objectName();
        if (now == start) break;
    }
    return visited;
}

void menuKeyOn(QWidget& widget) {
    const QPoint centre = widget.rect().center();
    QContextMenuEvent request(QContextMenuEvent::Keyboard, centre, widget.mapToGlobal(centre));
    QApplication::sendEvent(&widget, &request);
}

// Closes the context menu that the steps opened; false when none opened.
bool menuOpened(QMenu& menu) {
    const bool opened = menu.isVisible();
    menu.hide();
    return opened;
}

struct ReminderKeys {
    explicit ReminderKeys(const std::string& dataFile) : rig(WindowRig::reminderRun(dataFile)) {
        if (!activate(rig.reminderWindow())) qFatal("the reminder window is not active");
    }
    TFRappel& window() { return rig.reminderWindow(); }
    QWidget& control(const char* name) { return rig.control<QWidget>(name); }
    QString label(const char* name) { return rig.control<QLabel>(name).text(); }
    void focus(const char* name) { tabTo(control(name)); }
    void tabTo(QWidget& target) {
        for (int step = 0; step < 20 && QApplication::focusWidget() != &target; ++step)
            QTest::keyClick(&window(), Qt::Key_Tab);
        if (QApplication::focusWidget() != &target) qFatal("Tab never reaches %s", qPrintable(target.objectName()));
    }
    QWidget& calendarDays() { return *rig.control<QCalendarWidget>("Calendar1").focusProxy(); }

    WindowRig rig;
};

}  // namespace

class KeyboardTest : public QObject {
    Q_OBJECT

private slots:
    void theReminderWindowOpensOnTheListAndTabVisitsEveryCommand() {
        ReminderKeys keys(aWeekOfReminders());
        QCOMPARE(QApplication::focusWidget(), &keys.control("ListBox1"));
        QCOMPARE(tabRound(keys.window()),
                 QStringList({"IEButton2", "IEButton1", "IEButton3", "Banner1", "Image4", "Panel2", "ListBox1"}));
    }

    // Drawn only once the keyboard has moved the focus: a mouse user never sees it.
    void theOwnControlsShowTheKeyboardFocusAround() {
        ReminderKeys keys(aWeekOfReminders());
        QWidget& yes = keys.control("IEButton2");
        yes.setFocus(Qt::OtherFocusReason);
        QVERIFY(!keyboardFocusFrameOf(yes));
        keys.control("ListBox1").setFocus(Qt::OtherFocusReason);

        QTest::keyClick(&keys.window(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), &yes);
        const QWidget* frame = keyboardFocusFrameOf(yes);
        QVERIFY(frame);
        QVERIFY(frame->geometry().contains(yes.geometry()));
        QVERIFY(frame->geometry() != yes.geometry());
        QTest::keyClick(&keys.window(), Qt::Key_Tab);
        QVERIFY(!keyboardFocusFrameOf(yes));
        QVERIFY(keyboardFocusFrameOf(keys.control("IEButton1")));
    }

    void spaceOnAnAnswerAnswers() {
        ReminderKeys keys(aWeekOfReminders());
        keys.focus("IEButton3");
        QTest::keyClick(&keys.control("IEButton3"), Qt::Key_Space);
        QTRY_VERIFY(!keys.window().isVisible());
        QCOMPARE(store::readValue(keys.rig.context.startup.dataFilePath, "Rappel", "Date", "absent", 32), "7 12 2026");
    }

    void enterOnTheBannerOpensTheList() {
        ReminderKeys keys("");
        QCOMPARE(tabRound(keys.window()), QStringList({"IEButton4", "Banner1", "Image4", "Panel2", "ListBox1"}));
        keys.focus("Banner1");
        QTest::keyClick(&keys.control("Banner1"), Qt::Key_Return);
        QCOMPARE(keys.rig.dialogs.callsOf(DialogCall::Program).size(), std::size_t{1});
        QTRY_VERIFY(!keys.window().isVisible());
    }

    // The arrows move the date by a day; the Menu key and Shift+F10 open the block's menu, and on a
    // control without a menu of its own, the background's.
    void theDateBlockTakesTheArrowsAndTheMenuKey() {
        ReminderKeys keys(aWeekOfReminders());
        keys.focus("Panel2");
        QVERIFY(keyboardFocusFrameOf(keys.control("Panel2")));
        QTest::keyClick(&keys.control("Panel2"), Qt::Key_Right);
        QCOMPARE(keys.label("Label3"), QStringLiteral("7 Décembre"));
        QVERIFY(!keys.control("IEButton1").isEnabled());
        QTest::keyClick(&keys.control("Panel2"), Qt::Key_Left);
        QTest::keyClick(&keys.control("Panel2"), Qt::Key_Left);
        QCOMPARE(keys.label("Label3"), QStringLiteral("5 Décembre"));

        QMenu& dateMenu = keys.rig.control<QMenu>("PopupMenu1");
        menuKeyOn(keys.control("Panel2"));
        QVERIFY(menuOpened(dateMenu));
        openContextMenusWithShiftF10();
        QTest::keyClick(&keys.control("Panel2"), Qt::Key_F10, Qt::ShiftModifier);
        QVERIFY(menuOpened(dateMenu));
        keys.focus("IEButton2");
        menuKeyOn(keys.control("IEButton2"));
        QVERIFY(menuOpened(keys.rig.control<QMenu>("LeFond")));
    }

    // Page Up and Down step the month, with Ctrl the year; Enter takes the day, Escape leaves the
    // date as it was and gives the focus back to the date block.
    void theDatePickerFromTheKeyboard() {
        ReminderKeys keys(aWeekOfReminders());
        keys.focus("Panel2");
        QAction& pick = keys.rig.control<QAction>("MenuItem3");
        pick.trigger();
        QVERIFY(keys.control("Group2").isVisible());
        QVERIFY(keys.calendarDays().hasFocus());
        QTest::keyClick(&keys.calendarDays(), Qt::Key_PageDown);
        QCOMPARE(keys.label("Label21"), QStringLiteral("Janvier 2027"));
        QTest::keyClick(&keys.calendarDays(), Qt::Key_PageUp, Qt::ControlModifier);
        QCOMPARE(keys.label("Label21"), QStringLiteral("Janvier 2026"));
        QTest::keyClick(&keys.calendarDays(), Qt::Key_Escape);
        QVERIFY(!keys.control("Group2").isVisible());
        QVERIFY(keys.control("Panel2").hasFocus());
        QCOMPARE(keys.label("Label3"), QStringLiteral("6 Décembre"));

        pick.trigger();
        QTest::keyClick(&keys.calendarDays(), Qt::Key_Right);
        QTest::keyClick(&keys.calendarDays(), Qt::Key_Return);
        QVERIFY(!keys.control("Group2").isVisible());
        QCOMPARE(keys.label("Label3"), QStringLiteral("7 Décembre"));
    }

    void theListWindowOpensOnTheListAndTabVisitsEveryCommand() {
        WindowRig rig(recordSection({{"Dupont", "Jean", "10/03/1990", "", ""}}));
        QVERIFY(activate(rig.form()));
        QCOMPARE(QApplication::focusWidget(), &rig.list());
        QCOMPARE(tabRound(rig.form()),
                 QStringList({"CheckBox4", "Label3", "SpeedButton3", "SpeedButton1", "SpeedButton2", "SpeedButton4",
                              "SpeedButton6", "SpeedButton5", "SpeedButton7", "SpeedButton8", "Label2", "ListView"}));
        // A click gives the tool buttons and the link no focus: the mouse meets them as before.
        QTest::mouseClick(&rig.control<QLabel>("Label3"), Qt::LeftButton);
        QCOMPARE(QApplication::focusWidget(), &rig.list());
    }

    void theListWindowsOwnControlsAnswerTheirKeys() {
        WindowRig rig("");
        QVERIFY(activate(rig.form()));
        for (Qt::Key key : {Qt::Key_Space, Qt::Key_Return}) {
            rig.control<QLabel>("Label3").setFocus(Qt::TabFocusReason);
            QTest::keyClick(&rig.control<QLabel>("Label3"), key);
        }
        QCOMPARE(rig.dialogs.callsOf(DialogCall::Url).size(), std::size_t{2});

        QLabel& infoLine = rig.control<QLabel>("Label2");
        infoLine.setFocus(Qt::TabFocusReason);
        menuKeyOn(infoLine);
        QVERIFY(menuOpened(rig.control<QMenu>("PopupMenu1")));

        auto& reminders = rig.control<QToolButton>("SpeedButton8");
        reminders.setFocus(Qt::TabFocusReason);
        QTest::keyClick(&reminders, Qt::Key_Space);
        QTRY_VERIFY(!rig.form().isVisible());
        QCOMPARE(rig.dialogs.callsOf(DialogCall::Program).front().arguments, QStringList{"RAPPEL"});
    }

    void alternateLettersReachTheAddDialogsBoxes() {
        WindowRig rig("");
        QVERIFY(activate(rig.form()));
        QVERIFY(rig.withDialog([&] { rig.form().SpeedButton1Click(); },
                               [&](TSais& dialog) {
                                   QVERIFY(activate(dialog));
                                   QCOMPARE(QApplication::focusWidget(), &entryBox(dialog, "Edit1"));
                                   const struct {
                                       Qt::Key letter;
                                       const char* box;
                                   } letters[] = {{Qt::Key_D, "MaskEdit1"},
                                                  {Qt::Key_E, "Edit3"},
                                                  {Qt::Key_A, "Edit2"},
                                                  {Qt::Key_P, "Edit4"},
                                                  {Qt::Key_N, "Edit1"}};
                                   for (const auto& each : letters) {
                                       QTest::keyClick(&dialog, each.letter, Qt::AltModifier);
                                       QCOMPARE(QApplication::focusWidget(), &entryBox(dialog, each.box));
                                   }
                               }));
    }
};

QTEST_MAIN(KeyboardTest)
#include "keyboard_test.moc"
