// End to end: velorine PROG itself, for a user reminded by a desktop notification, on a session bus
// of the test's own with the test's notification server: the answer given in the bubble and the
// starts that follow it, the window when no bubble can do (or when the bubble is clicked), and one
// notification per session.
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

#include "private_session_bus.h"
#include "recording_notification_server.h"
#include "store/civil_calendar.h"
#include "store/data_file.h"
#include "store/dates.h"

using namespace velorine;
using namespace velorine::notify::testing;

namespace {

const QStringList kFullServer = {QStringLiteral("actions"), QStringLiteral("body"), QStringLiteral("body-markup")};

// Anne's birthday today, Yves's in three days; name days off, so that these are the lines.
std::string dueList(bool notification) {
    store::CalendarDate today = store::localToday();
    store::CalendarDate later = store::addDays(today, 3);
    today.year -= 30;
    later.year -= 50;
    for (store::CalendarDate* day : {&today, &later})
        if (day->day == 29 && day->month == 2) day->day = 28;
    return "[Options]\r\nRappelFete=0\r\nNotification=" + std::string(notification ? "1" : "0") +
           "\r\n[Velorine]\r\nNom1=Martin\r\nPren1=Anne\r\nDate1=" + store::displayDate(today) +
           "\r\nAdress1=\r\nEmail1=\r\nNom2=Roux\r\nPren2=Yves\r\nDate2=" + store::displayDate(later) +
           "\r\nAdress2=\r\nEmail2=\r\n";
}

class Logon {
public:
    explicit Logon(bool notification = true, bool withServer = true, const QStringList& capabilities = kFullServer) {
        QVERIFY(QDir().mkpath(home.filePath("data/velorine")));
        QVERIFY(QDir().mkpath(home.filePath("run")));
        QFile list(QString::fromStdString(dataFile()));
        QVERIFY(list.open(QIODevice::WriteOnly));
        list.write(QByteArray::fromStdString(dueList(notification)));
        list.close();
        if (withServer)
            server = std::make_unique<RecordingNotificationServer>(bus.connect(QStringLiteral("server")), capabilities);
    }

    std::string dataFile() const { return home.filePath("data/velorine/velor.ini").toStdString(); }
    std::string stored(const char* section, const char* key) const {
        return store::readValue(dataFile(), section, key, "absent", 64);
    }

    // velorine PROG (or another word), started: the test's server answers it meanwhile.
    std::unique_ptr<QProcess> start(const QString& word = QStringLiteral("PROG")) {
        auto process = std::make_unique<QProcess>();
        QProcessEnvironment environment;
        environment.insert("HOME", home.path());
        environment.insert("XDG_DATA_HOME", home.filePath("data"));
        environment.insert("XDG_CONFIG_HOME", home.filePath("config"));
        environment.insert("XDG_RUNTIME_DIR", home.filePath("run"));
        environment.insert("DBUS_SESSION_BUS_ADDRESS", bus.address());
        environment.insert("QT_QPA_PLATFORM", "offscreen");
        environment.insert("PATH", "/usr/bin:/bin");
        process->setProcessEnvironment(environment);
        process->setProcessChannelMode(QProcess::ForwardedErrorChannel);
        process->start(VELORINE_BINARY, {word});
        process->waitForStarted();
        return process;
    }

    // Waits for its end while the server goes on serving; its exit status, -1 when it did not end.
    static int exitStatus(QProcess& process) {
        const QDeadlineTimer deadline(10000);
        while (process.state() != QProcess::NotRunning && !deadline.hasExpired()) QTest::qWait(10);
        return process.state() == QProcess::NotRunning && process.exitStatus() == QProcess::NormalExit
                   ? process.exitCode()
                   : -1;
    }

    // The process became the windows' executable, the reminder window on its way; ends it then.
    static bool becameTheWindows(QProcess& process) {
        const QString exe = QStringLiteral("/proc/%1/exe").arg(process.processId());
        const QDeadlineTimer deadline(10000);
        bool windows = false;
        while (!windows && process.state() == QProcess::Running && !deadline.hasExpired()) {
            QTest::qWait(10);
            windows = QFile::symLinkTarget(exe).endsWith(QStringLiteral("/velorine-fenetres"));
        }
        process.kill();
        process.waitForFinished();
        return windows;
    }

    QTemporaryDir home;
    PrivateSessionBus bus;
    std::unique_ptr<RecordingNotificationServer> server;
};

}  // namespace

class NotificationLogonTest : public QObject {
    Q_OBJECT

private slots:
    void theNextStartsFollowTheAnswerGivenInTheBubble_data() {
        QTest::addColumn<QString>("key");
        QTest::addColumn<bool>("remindedAgainToday");
        QTest::newRow("Oui") << "oui" << true;
        QTest::newRow("Non") << "non" << false;
        QTest::newRow("Demain") << "demain" << false;
    }
    void theNextStartsFollowTheAnswerGivenInTheBubble() {
        QFETCH(QString, key);
        QFETCH(bool, remindedAgainToday);
        Logon logon;
        auto first = logon.start();
        QVERIFY(logon.server->waitForCalls(1));
        QVERIFY(logon.server->calls[0].body.startsWith("Anne Martin a 30 ans AUJOURD'HUI !!\nYves Roux aura 50 ans"));
        logon.server->invokeAction(logon.server->calls[0].id, key);
        QCOMPARE(Logon::exitStatus(*first), 0);

        auto next = logon.start();
        if (remindedAgainToday) {
            QVERIFY(logon.server->waitForCalls(2));
            logon.server->close(logon.server->calls[1].id, Expired);
            QCOMPARE(Logon::exitStatus(*next), 0);
        } else {
            QCOMPARE(Logon::exitStatus(*next), 1);
            QCOMPARE(logon.server->calls.size(), std::size_t{1});
        }
    }

    void theWindowOpensWhereNoBubbleCanAnswer_data() {
        QTest::addColumn<bool>("notification");
        QTest::addColumn<bool>("withServer");
        QTest::addColumn<QStringList>("capabilities");
        QTest::addColumn<bool>("clicked");
        QTest::addColumn<QString>("word");
        QTest::newRow("option off") << false << true << kFullServer << false << "PROG";
        QTest::newRow("no server") << true << false << QStringList() << false << "PROG";
        QTest::newRow("no actions") << true << true << QStringList({"body"}) << false << "PROG";
        QTest::newRow("bubble clicked") << true << true << kFullServer << true << "PROG";
        QTest::newRow("on demand") << true << true << kFullServer << false << "RAPPEL";
    }
    void theWindowOpensWhereNoBubbleCanAnswer() {
        QFETCH(bool, notification);
        QFETCH(bool, withServer);
        QFETCH(QStringList, capabilities);
        QFETCH(bool, clicked);
        QFETCH(QString, word);
        Logon logon(notification, withServer, capabilities);
        if (clicked)
            logon.server->afterNotify = [](RecordingNotificationServer& server, const NotifyCall& call) {
                server.invokeAction(call.id, "default");
            };
        auto run = logon.start(word);
        QVERIFY(Logon::becameTheWindows(*run));
        if (withServer) QCOMPARE(logon.server->calls.size(), std::size_t{clicked ? 1u : 0u});
        // Clicked, the bubble goes: not every server takes it away itself.
        if (clicked) QCOMPARE(logon.server->closedByCall, std::vector<uint>{logon.server->calls[0].id});
        QCOMPARE(logon.stored("Rappel", "Date"), "absent");
    }

    // After "Oui" every start of the day reminds again: the bubbles do not pile up.
    void aSecondStartReplacesTheFirstsBubbleAndTheFirstEnds() {
        Logon logon;
        auto first = logon.start();
        QVERIFY(logon.server->waitForCalls(1));
        QTRY_VERIFY(QFile::exists(logon.home.filePath("run/velorine/notification")));
        auto second = logon.start();
        QVERIFY(logon.server->waitForCalls(2));
        QCOMPARE(logon.server->calls[1].replacesId, logon.server->calls[0].id);
        QCOMPARE(Logon::exitStatus(*first), 0);
        QCOMPARE(second->state(), QProcess::Running);

        logon.server->close(logon.server->calls[1].id, DismissedByUser);
        QCOMPARE(Logon::exitStatus(*second), 0);
        QCOMPARE(logon.stored("Rappel", "Date"), "absent");
    }
};

QTEST_GUILESS_MAIN(NotificationLogonTest)
#include "notification_logon_test.moc"
