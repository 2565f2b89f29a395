// "Me rappeler par une notification du bureau", in the list window's Options menu and in the
// reminder window's context menu: the mark shows Options/Notification, and choosing it stores it.
#include <QAction>
#include <QMenu>
#include <QTest>

#include <sys/stat.h>

#include "store/data_file.h"
#include "ui/user_dialogs.h"
#include "window_rig.h"

using namespace velorine;
using namespace velorine::ui;
using namespace velorine::ui::testing;

namespace {

const char kItem[] = "Merappelerparunenotificationdubureau1";

std::string storedOption(const WindowRig& rig) {
    return store::readValue(rig.context.startup.dataFilePath, "Options", "Notification", "absent", 10);
}

RigSetup runOf(const char* window, const std::string& dataFile) {
    RigSetup setup{dataFile, {}, true, app::RunMode::List};
    if (QByteArray(window) == "reminder") setup.mode = app::RunMode::ReminderOnDemand;
    return setup;
}

}  // namespace

class NotificationOptionTest : public QObject {
    Q_OBJECT

private slots:
    void eachWindowOffersTheOptionInItsMenu_data() {
        QTest::addColumn<QString>("window");
        QTest::addColumn<QString>("menu");
        QTest::newRow("list") << "list"
                              << "Options1";
        QTest::newRow("reminder") << "reminder"
                                  << "PopupMenu1";
    }
    void eachWindowOffersTheOptionInItsMenu() {
        QFETCH(QString, window);
        QFETCH(QString, menu);
        WindowRig rig(runOf(qPrintable(window), "[Options]\r\nRappelFete=1\r\n"));
        QAction& item = rig.control<QAction>(kItem);
        QVERIFY(rig.control<QMenu>(qPrintable(menu)).actions().contains(&item));
        QCOMPARE(item.text(), "Me rappeler par une notification du bureau");
        QVERIFY(!item.isChecked());

        item.trigger();
        QVERIFY(item.isChecked());
        QCOMPARE(storedOption(rig), "1");
        QVERIFY(rig.context.startup.notificationReminders);
        item.trigger();
        QCOMPARE(storedOption(rig), "0");
        QVERIFY(!rig.context.startup.notificationReminders);

        WindowRig chosen(runOf(qPrintable(window), "[Options]\r\nNotification=1\r\n"));
        QVERIFY(chosen.control<QAction>(kItem).isChecked());
    }

    void aChoiceThatCannotBeStoredIsToldAndTheMarkStays() {
        WindowRig rig(runOf("list", "[Options]\r\nNotification=1\r\n"));
        QCOMPARE(::chmod(rig.context.startup.dataFilePath.c_str(), 0444), 0);
        QAction& item = rig.control<QAction>(kItem);
        item.trigger();
        QVERIFY(item.isChecked());
        QVERIFY(rig.context.startup.notificationReminders);
        QCOMPARE(rig.dialogs.calls.size(), std::size_t{1});
        QCOMPARE(rig.dialogs.calls[0].title, "Problème");
        QVERIFY(rig.dialogs.calls[0].text.startsWith("Votre choix n'a pas pu être enregistré dans le fichier"));
        QVERIFY(rig.dialogs.calls[0].text.endsWith(writeFailureText(store::Failure::ReadOnlyFile)));
    }
};

QTEST_MAIN(NotificationOptionTest)
#include "notification_option_test.moc"
