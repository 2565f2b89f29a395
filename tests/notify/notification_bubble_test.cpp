// The reminder notification against a notification server of the test's, each test on a session bus
// of its own: what the bubble shows and what each of its ends writes to the data file. The window
// it hands over to, and the one notification a session keeps, are seen end to end
// (notification_logon_test.cpp).
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

#include "notify/notification_body.h"
#include "notify/notification_run.h"
#include "notify/kept_notification.h"
#include "private_session_bus.h"
#include "recording_notification_server.h"
#include "reminders/reminder_answers.h"
#include "reminders/stored_answer.h"
#include "store/data_file.h"

using namespace velorine;
using namespace velorine::notify;
using namespace velorine::notify::testing;

namespace {

constexpr store::CalendarDate kToday{6, 12, 2026};
const QStringList kFullServer = {QStringLiteral("actions"), QStringLiteral("body"), QStringLiteral("body-markup")};

const std::string kList =
    "[Controle]\r\nVersion=2.0\r\n[Rappel]\r\nDate=5 12 2026\r\n[Velorine]\r\n"
    "Nom1=Martin\r\nPren1=Anne\r\nDate1=06/12/1996\r\nAdress1=\r\nEmail1=\r\n"
    "Nom2=Roux & Fils\r\nPren2=Yves\r\nDate2=07/12/1970\r\nAdress2=\r\nEmail2=\r\n";
// As the engine lists them for the day: the lines are Windows-1252.
const std::vector<reminders::ReminderEntry> kEntries = {
    {"Anne Martin a 30 ans AUJOURD'HUI !!", 1, store::CalendarDate{7, 12, 2026}},
    {"Yves Roux & Fils aura 56 ans DEMAIN !!", 2, store::CalendarDate{7, 12, 2026}},
    {"Ce sera la f\xEAte d'Yves Roux & Fils DEMAIN !!", 2, std::nullopt},
};

std::string bytesOf(const std::string& path) {
    QFile file(QString::fromStdString(path));
    return file.open(QIODevice::ReadOnly) ? file.readAll().toStdString() : std::string();
}

void writeBytes(const std::string& path, const std::string& bytes) {
    QFile file(QString::fromStdString(path));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes.data(), static_cast<qint64>(bytes.size()));
}

// One session: its bus, a server (when the test wants one), and a data directory.
class Session {
public:
    explicit Session(const QStringList& capabilities = kFullServer, bool withServer = true) {
        if (withServer)
            server = std::make_unique<RecordingNotificationServer>(bus.connect(QStringLiteral("server")), capabilities);
        writeBytes(dataFile(), kList);
    }

    std::string dataFile() const { return directory.filePath(QStringLiteral("velor.ini")).toStdString(); }
    QString keptFile() const { return directory.filePath(QStringLiteral("run/notification")); }
    NotificationRun run(std::string dataFilePath = {}) const {
        return {dataFilePath.empty() ? dataFile() : dataFilePath, kEntries, [] { return kToday; }, keptFile()};
    }
    AfterNotification remind(const NotificationRun& run) {
        return remindByNotification(bus.connect(QStringLiteral("velorine%1").arg(++starts)), run);
    }
    AfterNotification remind() { return remind(run()); }

    PrivateSessionBus bus;
    QTemporaryDir directory;
    std::unique_ptr<RecordingNotificationServer> server;
    int starts = 0;
};

}  // namespace

class NotificationBubbleTest : public QObject {
    Q_OBJECT

private slots:
    void theBubbleIsTheWindowsTitleLinesAndAnswers() {
        Session session;
        session.server->afterNotify = [](RecordingNotificationServer& server, const NotifyCall& call) {
            server.close(call.id, Expired);
        };
        QCOMPARE(session.remind(), AfterNotification::EndRun);
        QCOMPARE(session.server->calls.size(), std::size_t{1});
        const NotifyCall& call = session.server->calls[0];
        QCOMPARE(call.appName, "Velorine");
        QCOMPARE(call.appIcon, "velorine");
        QCOMPARE(call.hints.value("desktop-entry").toString(), "velorine");
        QCOMPARE(call.summary, "Des Velorine approchent !!");
        QCOMPARE(call.body,
                 "Anne Martin a 30 ans AUJOURD'HUI !!\nYves Roux &amp; Fils aura 56 ans DEMAIN !!\n"
                 "Ce sera la fête d'Yves Roux &amp; Fils DEMAIN !!");
        QCOMPARE(call.actions,
                 QStringList({"default", "Voir les rappels", "oui", "Oui", "non", "Non", "demain", "Demain"}));
        QCOMPARE(call.replacesId, 0u);
        QCOMPARE(call.expireTimeout, -1);
    }

    // The server reads markup or not: a name shows as typed either way.
    void theBodyIsEscapedOnlyWhereTheServerReadsMarkup() {
        Session session({QStringLiteral("actions")});
        session.server->afterNotify = [](RecordingNotificationServer& server, const NotifyCall& call) {
            server.close(call.id, DismissedByUser);
        };
        session.remind();
        QVERIFY(session.server->calls.at(0).body.contains("Roux & Fils aura"));
        QCOMPARE(notificationBody({"<b>Fils</b> \"1\" & 2"}, true), "&lt;b&gt;Fils&lt;/b&gt; &quot;1&quot; &amp; 2");
    }

    void theBodyShowsEightLinesThenHowManyMore_data() {
        QTest::addColumn<int>("lines");
        QTest::addColumn<int>("bodyLines");
        QTest::addColumn<QString>("last");
        QTest::newRow("one") << 1 << 1 << "ligne 1";
        QTest::newRow("eight") << 8 << 8 << "ligne 8";
        QTest::newRow("nine") << 9 << 9 << "… et 1 autre";
        QTest::newRow("thirty") << 30 << 9 << "… et 22 autres";
    }
    void theBodyShowsEightLinesThenHowManyMore() {
        QFETCH(int, lines);
        QFETCH(int, bodyLines);
        QFETCH(QString, last);
        std::vector<std::string> due;
        for (int i = 1; i <= lines; ++i) due.push_back("ligne " + std::to_string(i));
        const QStringList body = notificationBody(due, true).split('\n');
        QCOMPARE(body.size(), bodyLines);
        QCOMPARE(body.front(), "ligne 1");
        QCOMPARE(body.back(), last);
    }

    // Each answer writes what the reminder window's answer of the same name writes, and nothing else.
    void eachAnswerWritesWhatTheWindowsAnswerWrites_data() {
        QTest::addColumn<QString>("key");
        QTest::addColumn<int>("answer");
        QTest::newRow("Oui") << "oui" << int(reminders::ReminderAnswer::KeepReminding);
        QTest::newRow("Non") << "non" << int(reminders::ReminderAnswer::NotBeforeNextBirthday);
        QTest::newRow("Demain") << "demain" << int(reminders::ReminderAnswer::QuietUntilTomorrow);
    }
    void eachAnswerWritesWhatTheWindowsAnswerWrites() {
        QFETCH(QString, key);
        QFETCH(int, answer);
        Session session;
        session.server->afterNotify = [key](RecordingNotificationServer& server, const NotifyCall& call) {
            server.invokeAction(call.id + 1, "default");  // another notification's click: not this one's
            server.invokeAction(call.id, key);
        };
        QCOMPARE(session.remind(), AfterNotification::EndRun);

        const std::string expected = session.directory.filePath("expected.ini").toStdString();
        writeBytes(expected, kList);
        const auto write = [&](reminders::ReminderAnswer chosen) {
            switch (chosen) {
                case reminders::ReminderAnswer::KeepReminding: return reminders::keepReminding(expected, kToday);
                case reminders::ReminderAnswer::NotBeforeNextBirthday:
                    return reminders::holdBackUntilNextBirthday(expected, kEntries);
                case reminders::ReminderAnswer::QuietUntilTomorrow:
                    return reminders::quietUntilTomorrow(expected, kToday);
            }
            return store::Result<>(store::Failure::IoError);
        };
        QVERIFY(write(static_cast<reminders::ReminderAnswer>(answer)));
        QVERIFY(bytesOf(expected) != kList);
        QCOMPARE(bytesOf(session.dataFile()), bytesOf(expected));
        // Answered, it goes: its answers would otherwise stay on servers that keep it.
        QCOMPARE(session.server->closedByCall, std::vector<uint>{session.server->calls.at(0).id});
    }

    void closedExpiredOrGoneWithItsServerWritesNothing_data() {
        QTest::addColumn<int>("end");
        QTest::newRow("expired") << int(Expired);
        QTest::newRow("dismissed") << int(DismissedByUser);
        QTest::newRow("closed by a call") << int(ClosedByCall);
        QTest::newRow("server gone") << 0;
    }
    void closedExpiredOrGoneWithItsServerWritesNothing() {
        QFETCH(int, end);
        Session session;
        session.server->afterNotify = [end](RecordingNotificationServer& server, const NotifyCall& call) {
            server.close(call.id + 1, DismissedByUser);  // another notification's
            if (end == 0) return server.leave();
            server.close(call.id, CloseReason(end));
        };
        QCOMPARE(session.remind(), AfterNotification::EndRun);
        QCOMPARE(bytesOf(session.dataFile()), kList);
        QVERIFY(!QFile::exists(session.keptFile()));
    }

    // The answer given in the bubble is not lost in silence: a message takes the bubble's place.
    void anAnswerThatCannotBeWrittenIsToldInTheBubblesPlace() {
        Session session;
        session.server->afterNotify = [](RecordingNotificationServer& server, const NotifyCall& call) {
            if (call.replacesId == 0) server.invokeAction(call.id, "oui");
        };
        const std::string lost = session.directory.filePath("gone/velor.ini").toStdString();
        QCOMPARE(session.remind(session.run(lost)), AfterNotification::EndRun);
        QCOMPARE(session.server->calls.size(), std::size_t{2});
        const NotifyCall& message = session.server->calls[1];
        QCOMPARE(message.replacesId, session.server->calls[0].id);
        QCOMPARE(message.summary, "Votre réponse n'a pas pu être enregistrée");
        QVERIFY(message.body.contains(QString::fromStdString(lost)));
        QVERIFY(message.body.contains("Le dossier de ce fichier n'existe pas"));
        QVERIFY(message.actions.isEmpty());
        QVERIFY(session.server->closedByCall.empty());
    }

    // A number kept from another server (one started again since) could be another program's there.
    void aNumberKeptFromAnotherServerIsNotReplaced() {
        Session session;
        KeptNotification(session.keptFile()).keep(1, QStringLiteral(":1.999"));
        session.server->afterNotify = [](RecordingNotificationServer& server, const NotifyCall& call) {
            server.close(call.id, Expired);
        };
        session.remind();
        QCOMPARE(session.server->calls.at(0).replacesId, 0u);
    }
};

QTEST_GUILESS_MAIN(NotificationBubbleTest)
#include "notification_bubble_test.moc"
