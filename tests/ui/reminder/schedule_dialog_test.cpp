// The reminder schedule dialog on the real widgets: what each stored text shows and what OK then
// writes, the field's enabled state after each click, cancel in its three forms, the state kept
// while the key is absent, a write that fails, and the two ways the main window opens it.
#include <QAction>
#include <QApplication>
#include <QGroupBox>
#include <QLineEdit>
#include <QLocale>
#include <QRadioButton>
#include <QScreen>
#include <QTest>
#include <QToolButton>

#include <sys/stat.h>

#include "reminders/reminder_settings.h"
#include "store/data_file.h"
#include "ui/french.h"
#include "window_rig.h"

using namespace velorine;
using namespace velorine::ui;
using namespace velorine::ui::testing;

namespace {

constexpr const char* kNotStored = "(absent)";

QRadioButton& option(TForm2& dialog, const char* name) {
    auto* found = dialog.findChild<QRadioButton*>(QString::fromLatin1(name));
    if (!found) qFatal("no option %s", name);
    return *found;
}

QLineEdit& field(TForm2& dialog) { return *dialog.findChild<QLineEdit*>(QStringLiteral("Edit1")); }

QString selectedOption(TForm2& dialog) {
    for (const char* name : {"RadioButton1", "RadioButton2", "RadioButton3"})
        if (option(dialog, name).isChecked()) return QString::fromLatin1(name);
    return {};
}

// An option or a button, clicked on its left part, where an option has its circle.
void click(TForm2& dialog, const char* name) {
    auto* target = dialog.findChild<QAbstractButton*>(QString::fromLatin1(name));
    if (!target) qFatal("no button %s", name);
    QTest::mouseClick(target, Qt::LeftButton, {}, QPoint(8, target->height() / 2));
}

void retype(TForm2& dialog, const QString& text) {
    QLineEdit& edit = field(dialog);
    edit.setFocus();
    edit.selectAll();
    QTest::keyClick(&edit, Qt::Key_Backspace);
    typeInto(edit, text);
}

std::string storedDays(const WindowRig& rig) {
    return store::readValue(rig.context.startup.dataFilePath, "Rappel", "Jours", kNotStored, 100);
}

std::string withDays(const std::string& days) { return "[Rappel]\r\nJours=" + days + "\r\n"; }

// What the dialog shows when it opens.
struct Shown {
    QString option;
    QString text;
    bool enabled = false;
};

Shown openAndLook(WindowRig& rig, const std::function<void(TForm2&)>& then = {}) {
    Shown shown;
    TForm2& dialog = rig.scheduleDialog();
    const bool opened = whileShown(
        dialog, [&] { rig.form().SpeedButton6Click(); },
        [&] {
            shown = {selectedOption(dialog), field(dialog).text(), field(dialog).isEnabled()};
            if (then) then(dialog);
        });
    if (!opened) qFatal("the schedule dialog was not shown");
    return shown;
}

}  // namespace

class ScheduleDialogTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::French, QLocale::France)); }

    void storedTexts_data() {
        QTest::addColumn<QByteArray>("dataFile");  // empty: no data file at all
        QTest::addColumn<QString>("option");
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("enabled");
        QTest::addColumn<QString>("written");  // by OK, untouched
        QTest::addColumn<int>("horizon");      // the engine's reading of what OK wrote
        const auto days = [](const std::string& text) { return QByteArray::fromStdString(withDays(text)); };
        QTest::newRow("no data file") << QByteArray() << "RadioButton2"
                                      << "20" << true << "7" << 7;
        QTest::newRow("key absent") << QByteArray("[Rappel]\r\nDate=1 1 2026\r\n") << "RadioButton2"
                                    << "20" << true << "7" << 7;
        QTest::newRow("1") << days("1") << "RadioButton1"
                           << "20" << false << "1" << 1;
        QTest::newRow("+1") << days("+1") << "RadioButton1"
                            << "20" << false << "1" << 1;
        // The load selects the option already selected: the field stays enabled.
        QTest::newRow("7") << days("7") << "RadioButton2"
                           << "20" << true << "7" << 7;
        QTest::newRow("7 jours") << days("7 jours") << "RadioButton2"
                                 << "20" << true << "7" << 7;
        QTest::newRow("07") << days("07") << "RadioButton2"
                            << "20" << true << "7" << 7;
        QTest::newRow("20") << days("20") << "RadioButton3"
                            << "20" << true << "20" << 20;
        QTest::newRow("30 jours") << days("30 jours") << "RadioButton3"
                                  << "30 jours" << true << "30 jours" << 30;
        QTest::newRow("abc") << days("abc") << "RadioButton3"
                             << "abc" << true << "abc" << 0;
        QTest::newRow("-3") << days("-3") << "RadioButton3"
                            << "-3" << true << "-3" << -3;
        QTest::newRow("present, empty") << days("") << "RadioButton3"
                                        << "" << true << "" << 0;
        // The engine reads 9 characters of it.
        QTest::newRow("60 digits, cut to 49") << days(std::string(60, '4')) << "RadioButton3" << QString(49, '4')
                                              << true << QString(49, '4') << 444444444;
        QTest::newRow("the sentinel itself") << days("zeksdlej") << "RadioButton2"
                                             << "20" << true << "7" << 7;
    }
    void storedTexts() {
        QFETCH(QByteArray, dataFile);
        QFETCH(QString, option);
        QFETCH(QString, text);
        QFETCH(bool, enabled);
        QFETCH(QString, written);
        QFETCH(int, horizon);
        WindowRig rig(dataFile.toStdString());

        const Shown shown = openAndLook(rig, [](TForm2& dialog) { click(dialog, "BitBtn1"); });
        QCOMPARE(shown.option, option);
        QCOMPARE(shown.text, text);
        QCOMPARE(shown.enabled, enabled);
        QVERIFY(!rig.scheduleDialog().isVisible());
        QVERIFY(rig.dialogs.calls.empty());
        QCOMPARE(QString::fromStdString(storedDays(rig)), written);
        QCOMPARE(reminders::horizonIn(store::snapshot(rig.context.startup.dataFilePath)), horizon);
    }

    void eachClickSetsTheField() {
        WindowRig rig;
        QStringList states;
        openAndLook(rig, [&](TForm2& dialog) {
            for (const char* name : {"RadioButton2", "RadioButton1", "RadioButton3", "RadioButton2", "RadioButton2",
                                     "RadioButton3", "RadioButton3", "RadioButton1", "RadioButton1"}) {
                click(dialog, name);
                states << selectedOption(dialog) + (field(dialog).isEnabled() ? " on" : " off");
            }
        });
        QCOMPARE(states, QStringList({"RadioButton2 on",  // already selected: no change at all
                                      "RadioButton1 off", "RadioButton3 on", "RadioButton2 off", "RadioButton2 off",
                                      "RadioButton3 on", "RadioButton3 on", "RadioButton1 off", "RadioButton1 off"}));
        QCOMPARE(storedDays(rig), std::string(kNotStored));
    }

    void aCustomTextIsWrittenAsTyped_data() {
        QTest::addColumn<QString>("typed");
        QTest::newRow("digits") << "15";
        QTest::newRow("empty") << "";
        QTest::newRow("blanks around") << " 12 ";
        QTest::newRow("negative") << "-5";
        QTest::newRow("letters") << "deux";
        QTest::newRow("accent") << "été";
    }
    void aCustomTextIsWrittenAsTyped() {
        QFETCH(QString, typed);
        WindowRig rig(withDays("1"));
        openAndLook(rig, [&](TForm2& dialog) {
            click(dialog, "RadioButton3");
            retype(dialog, typed);
            QTest::keyClick(&field(dialog), Qt::Key_Return);  // OK is the default button
            QVERIFY(!dialog.isVisible());
        });
        QVERIFY(rig.dialogs.calls.empty());
        const std::string bytes = rig.dataFileBytes();
        const std::string line = "Jours=" + *cp1252FromText(typed) + "\r\n";
        QVERIFY2(bytes.find(line) != std::string::npos, bytes.c_str());
        // The next opening shows it again, as the file gives it back.
        const Shown again = openAndLook(rig);
        QCOMPARE(again.option, QString("RadioButton3"));
        QCOMPARE(again.text, typed.trimmed());
    }

    void cancellingWritesNothing_data() {
        QTest::addColumn<int>("how");
        QTest::newRow("Annuler") << 0;
        QTest::newRow("Escape") << 1;
        QTest::newRow("close box") << 2;
    }
    void cancellingWritesNothing() {
        QFETCH(int, how);
        WindowRig rig(withDays("1"));
        const std::string before = rig.dataFileBytes();
        openAndLook(rig, [&](TForm2& dialog) {
            click(dialog, "RadioButton3");
            retype(dialog, "12");
            if (how == 0) click(dialog, "BitBtn2");
            if (how == 1) QTest::keyClick(&field(dialog), Qt::Key_Escape);
            if (how == 2) dialog.close();
            QVERIFY(!dialog.isVisible());
            QCOMPARE(dialog.result(), int(QDialog::Rejected));
        });
        QCOMPARE(rig.dataFileBytes(), before);
        // The stored choice comes back; the field keeps what was typed.
        const Shown again = openAndLook(rig);
        QCOMPARE(again.option, QString("RadioButton1"));
        QCOMPARE(again.enabled, false);
        QCOMPARE(again.text, QString("12"));
    }

    void theKeyboardStartsOnTheChoice() {
        WindowRig rig(withDays("1"));
        QString focused, selected;
        openAndLook(rig, [&](TForm2& dialog) {
            // The arrows move among the options of the window that has the keyboard.
            QApplication::setActiveWindow(&dialog);
            focused = dialog.focusWidget() ? dialog.focusWidget()->objectName() : QString();
            QTest::keyClick(dialog.focusWidget(), Qt::Key_Down);
            selected = selectedOption(dialog);
            QTest::keyClick(dialog.focusWidget(), Qt::Key_Return);
        });
        QCOMPARE(focused, QString("RadioButton1"));
        QCOMPARE(selected, QString("RadioButton2"));
        QCOMPARE(storedDays(rig), std::string("7"));
    }

    void withTheKeyAbsentTheLastStateStays() {
        WindowRig rig;
        openAndLook(rig, [](TForm2& dialog) {
            click(dialog, "RadioButton3");
            retype(dialog, "9");
            click(dialog, "BitBtn2");
        });
        const Shown again = openAndLook(rig);
        QCOMPARE(again.option, QString("RadioButton3"));
        QCOMPARE(again.text, QString("9"));
        QCOMPARE(again.enabled, true);
        QCOMPARE(storedDays(rig), std::string(kNotStored));
    }

    void everyShowingReadsTheFileAgain() {
        WindowRig rig(withDays("1"));
        QCOMPARE(openAndLook(rig).option, QString("RadioButton1"));
        // Another instance changes the choice meanwhile.
        QVERIFY(store::writeValue(rig.context.startup.dataFilePath, "Rappel", "Jours", "45"));
        const Shown again = openAndLook(rig);
        QCOMPARE(again.option, QString("RadioButton3"));
        QCOMPARE(again.text, QString("45"));
        QCOMPARE(again.enabled, true);
    }

    void aFailedWriteIsToldAndTheDialogStaysOpen_data() {
        QTest::addColumn<bool>("missingDirectory");
        QTest::newRow("read-only file") << false;
        QTest::newRow("missing directory") << true;
    }
    void aFailedWriteIsToldAndTheDialogStaysOpen() {
        QFETCH(bool, missingDirectory);
        WindowRig rig(withDays("20"));
        std::string& path = rig.context.startup.dataFilePath;
        if (missingDirectory)
            path = rig.directory.path().toStdString() + "/gone/velor.ini";
        else
            QCOMPARE(::chmod(path.c_str(), 0444), 0);
        const std::string before = rig.dataFileBytes();
        bool stillOpen = false;
        QString selected;
        whileShown(
            rig.scheduleDialog(), [&] { rig.form().SpeedButton6Click(); },
            [&] {
                TForm2& dialog = rig.scheduleDialog();
                click(dialog, "RadioButton1");
                click(dialog, "BitBtn1");
                stillOpen = dialog.isVisible();
                selected = selectedOption(dialog);
            });
        QVERIFY(stillOpen);
        QCOMPARE(selected, QString("RadioButton1"));  // the choice is still there to try again
        QCOMPARE(rig.dialogs.calls.size(), std::size_t{1});
        QCOMPARE(rig.dialogs.calls[0].icon, MessageIcon::Error);
        QCOMPARE(rig.dialogs.calls[0].title, QString("Problème"));
        QVERIFY(rig.dialogs.calls[0].text.startsWith(
            "Le délai des rappels n'a pas pu être enregistré dans le fichier :\n" + QString::fromStdString(path)));
        QCOMPARE(rig.dataFileBytes(), before);
    }

    void aCharacterTheFileCannotHoldIsRefused() {
        WindowRig rig(withDays("20"));
        const std::string before = rig.dataFileBytes();
        bool stillOpen = false;
        whileShown(
            rig.scheduleDialog(), [&] { rig.form().SpeedButton6Click(); },
            [&] {
                TForm2& dialog = rig.scheduleDialog();
                typeInto(field(dialog), QStringLiteral("½Ω"));
                click(dialog, "BitBtn1");
                stillOpen = dialog.isVisible();
            });
        QVERIFY(stillOpen);
        QCOMPARE(rig.dialogs.messages().size(), 1);
        QVERIFY(rig.dialogs.messages()[0].startsWith("Attention|"));
        QVERIFY(rig.dialogs.messages()[0].contains("« Ω »"));
        QCOMPARE(rig.dataFileBytes(), before);
    }

    void theMainWindowOpensItFromItsButtonAndItsMenu_data() {
        QTest::addColumn<bool>("fromMenu");
        QTest::newRow("SpeedButton6") << false;
        QTest::newRow("Programmation1") << true;
    }
    void theMainWindowOpensItFromItsButtonAndItsMenu() {
        QFETCH(bool, fromMenu);
        WindowRig rig;
        rig.form().move(100, 80);
        QRect shown;
        bool modal = false;
        const bool opened = whileShown(
            rig.scheduleDialog(),
            [&] {
                if (fromMenu)
                    rig.control<QAction>("Programmation1").trigger();
                else
                    QTest::mouseClick(&rig.control<QToolButton>("SpeedButton6"), Qt::LeftButton);
            },
            [&] {
                shown = rig.scheduleDialog().frameGeometry();
                modal = rig.scheduleDialog().isModal();
                click(rig.scheduleDialog(), "BitBtn1");
            });
        QVERIFY(opened);
        QVERIFY(modal);
        const QRect main = rig.form().frameGeometry();
        QCOMPARE(shown.topLeft(), QPoint(main.x() + (main.width() - shown.width()) / 2,
                                         main.y() + (main.height() - shown.height()) / 2));
        QCOMPARE(storedDays(rig), std::string("7"));
    }

    void theReminderModeHasItWithoutAMainWindow() {
        WindowRig rig(RigSetup{withDays("1"), {}, true, app::RunMode::AutomaticReminder});
        QVERIFY(!rig.windows.mainWindow);
        TForm2& dialog = rig.scheduleDialog();
        QVERIFY(!dialog.parentWidget());
        QVERIFY(!dialog.isVisible());
        QCOMPARE(selectedOption(dialog), QString("RadioButton1"));  // loaded at creation
        QVERIFY(!field(dialog).isEnabled());
        dialog.show();
        const QRect screen = dialog.screen()->geometry();
        const QRect frame = dialog.frameGeometry();
        QCOMPARE(frame.topLeft(), QPoint(screen.x() + (screen.width() - frame.width()) / 2,
                                         screen.y() + (screen.height() - frame.height()) / 2));
        dialog.reject();
    }

    void tooltipsAndCaptions() {
        WindowRig rig;
        TForm2& dialog = rig.scheduleDialog();
        // Inside the frame only the two fixed choices explain themselves.
        QStringList withTooltips;
        for (const QWidget* child : dialog.findChild<QGroupBox*>("GroupBox1")->findChildren<QWidget*>())
            if (!child->toolTip().isEmpty()) withTooltips << child->objectName();
        withTooltips.sort();
        QCOMPARE(withTooltips, QStringList({"RadioButton1", "RadioButton2"}));
        // Every option shows its whole caption.
        for (const QRadioButton* each : dialog.findChildren<QRadioButton*>())
            QVERIFY2(each->sizeHint().width() <= each->width(), qPrintable(each->objectName()));
    }
};

QTEST_MAIN(ScheduleDialogTest)
#include "schedule_dialog_test.moc"
