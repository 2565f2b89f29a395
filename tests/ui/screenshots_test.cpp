// Pictures of the windows, written into the build tree to be looked at: the main window with a
// dozen people, as designed and recoloured, the add/modify dialog in both modes, the reminder
// schedule dialog with a fixed and a custom choice, the reminder window with a week of reminders,
// with nothing due and with its date picker open, the quick help with the guide and the about box.
#include <QAction>
#include <QListWidget>
#include <QDir>
#include <QLocale>
#include <QTest>
#include <QToolButton>

#include "reminder_test_data.h"
#include "ui/help/about_box.h"
#include "ui/help/help_window.h"
#include "window_rig.h"

using namespace velorine;
using namespace velorine::ui;
using namespace velorine::ui::testing;

namespace {

std::vector<store::BirthdayRecord> aDozenPeople() {
    return {
        {"Dupont", "Jean", "10/03/1990", "3 rue des Lilas, 69003 Lyon", "jean.dupont@exemple.fr"},
        {"Martin", "Anne", "21/06/1985", "12 avenue Foch, 75016 Paris", "anne.martin@exemple.fr"},
        {"Lef\xE8vre", "Chlo\xE9", "02/02/2001", "8 place du March\xE9, 35000 Rennes", "chloe.lefevre@exemple.fr"},
        {"Bernard", "Lucas", "15/09/1978", "45 boulevard Carnot, 59000 Lille", ""},
        {"Petit", "L\xE9on", "29/02/2000", "", "leon.petit@exemple.fr"},
        {"Moreau", "Camille", "07/12/2025", "1 impasse des Tilleuls, 44000 Nantes", "famille.moreau@exemple.fr"},
        {"Fran\xE7ois", "No\xEBl", "25/12/1962", "17 rue Victor-Hugo, 13001 Marseille", "noel.francois@exemple.fr"},
        {"Roux", "In\xE8s", "30/04/1994", "6 chemin des Vignes, 33000 Bordeaux", "ines.roux@exemple.fr"},
        {"Girard", "Hugo", "11/11/1988", "22 quai de la Sa\xF4ne, 71100 Chalon", "hugo.girard@exemple.fr"},
        {"Fournier", "Zo\xE9", "03/08/2010", "9 rue Pasteur, 67000 Strasbourg", ""},
        {"Mercier", "Ma\xEBlle", "19/05/1971",
         "14 all\xE9"
         "e des Roses, 31000 Toulouse",
         "maelle.mercier@exemple.fr"},
        {"Blanc", "Th\xE9o", "06/12/1999", "2 rue de la Paix, 06000 Nice", "theo.blanc@exemple.fr"},
    };
}

void save(QWidget& window, const QString& name) {
    QDir().mkpath(VELORINE_SCREENSHOT_DIR);
    const QString path = QStringLiteral(VELORINE_SCREENSHOT_DIR "/") + name;
    const QImage picture = window.grab().toImage();
    QVERIFY(picture.save(path));
    // Something was drawn: more than a handful of colours.
    QSet<QRgb> colours;
    for (int y = 0; y < picture.height(); y += 3)
        for (int x = 0; x < picture.width(); x += 3) colours.insert(picture.pixel(x, y));
    QVERIFY2(colours.size() > 20, qPrintable(name));
}

}  // namespace

class ScreenshotsTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::French, QLocale::France)); }

    void mainWindowWithADozenPeople() {
        WindowRig rig(recordSection(aDozenPeople()));
        rig.clickRow(2);
        save(rig.form(), QStringLiteral("main_window.png"));
    }

    void mainWindowRecoloured() {
        WindowRig rig(recordSection(aDozenPeople()));
        rig.dialogs.chosenColours = {QColor(255, 250, 205), QColor(0, 0, 128), QColor(139, 0, 0)};
        for (const char* command : {"Changerlacouleurdufond1", "Changerlacouleurdutexte2", "Changerlacouleurdutexte1"})
            rig.control<QAction>(command).trigger();
        rig.clickRow(5);
        save(rig.form(), QStringLiteral("main_window_recoloured.png"));
        const QImage picture = rig.form().grab().toImage();
        const QWidget* viewport = rig.list().viewport();
        const QPoint emptyPartOfTheList = viewport->mapTo(&rig.form(), QPoint(5, viewport->height() - 5));
        QCOMPARE(picture.pixelColor(emptyPartOfTheList), QColor(255, 250, 205));
    }

    void entryDialogAdding() {
        WindowRig rig(recordSection(aDozenPeople()));
        QVERIFY(rig.withDialog([&] { rig.form().SpeedButton1Click(); },
                               [&](TSais& dialog) {
                                   typeInto(dialog, "Edit1", QStringLiteral("Rousseau"));
                                   typeInto(dialog, "Edit4", QStringLiteral("Élise"));
                                   typeInto(dialog, "MaskEdit1", QStringLiteral("1405"));
                                   save(dialog, QStringLiteral("entry_dialog_add.png"));
                               }));
    }

    void entryDialogModifying() {
        WindowRig rig(recordSection(aDozenPeople()));
        rig.clickRow(3);
        QVERIFY(rig.withDialog([&] { rig.form().SpeedButton4Click(); },
                               [&](TSais& dialog) { save(dialog, QStringLiteral("entry_dialog_modify.png")); }));
    }

    void reminderWindowWithAWeekOfReminders() {
        WindowRig rig(WindowRig::reminderRun(aWeekOfReminders()));
        rig.control<QListWidget>("ListBox1").setCurrentRow(2);
        save(rig.reminderWindow(), QStringLiteral("reminder_window.png"));
    }

    void reminderWindowWithNothingDue() {
        WindowRig rig(WindowRig::reminderRun("[Options]\r\nBitmap=4\r\n"));
        save(rig.reminderWindow(), QStringLiteral("reminder_window_nothing_due.png"));
    }

    void reminderWindowWithItsDatePicker() {
        WindowRig rig(WindowRig::reminderRun(aWeekOfReminders() + "[Options]\r\nBitmap=6\r\n"));
        rig.control<QAction>("MenuItem3").trigger();
        save(rig.reminderWindow(), QStringLiteral("reminder_window_date_picker.png"));
    }

    void scheduleDialog_data() {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QString>("picture");
        QTest::newRow("a week before") << "7"
                                       << "schedule_dialog.png";
        QTest::newRow("custom") << "14"
                                << "schedule_dialog_custom.png";
    }
    void scheduleDialog() {
        QFETCH(QString, stored);
        QFETCH(QString, picture);
        WindowRig rig("[Rappel]\r\nJours=" + stored.toStdString() + "\r\n");
        TForm2& dialog = rig.scheduleDialog();
        QVERIFY(whileShown(
            dialog, [&] { rig.form().SpeedButton6Click(); }, [&] { save(dialog, picture); }));
    }

    void helpWindowWithTheGuide() {
        WindowRig rig(recordSection(aDozenPeople()));
        TAide& help = *rig.windows.helpWindow;
        QVERIFY(whileShown(
            help, [&] { rig.control<QToolButton>("SpeedButton5").click(); },
            [&] { save(help, QStringLiteral("help_window.png")); }));
    }

    void aboutBoxWithTheMailIcon() {
        QTemporaryDir runtime;
        const QByteArray previousRuntime = qgetenv("XDG_RUNTIME_DIR");
        qputenv("XDG_RUNTIME_DIR", QFile::encodeName(runtime.path()));
        WindowRig rig(recordSection(aDozenPeople()));
        rig.dialogs.typesWithAProgram = {QStringLiteral("message/rfc822")};
        TAboutBox& box = *rig.windows.aboutBox;
        QVERIFY(whileShown(
            box, [&] { rig.control<QAction>("Apropos").trigger(); },
            [&] { save(box, QStringLiteral("about_box.png")); }));
        qputenv("XDG_RUNTIME_DIR", previousRuntime);
    }
};

QTEST_MAIN(ScreenshotsTest)
#include "screenshots_test.moc"
