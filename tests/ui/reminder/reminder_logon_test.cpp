// End to end: the automatic start at logon and the reminder window's answers, with the real velorine
// program on the same data directory. The answers are given in the window here, on the real today;
// the next starts are the real program (same day), or the start-up sequence itself with a clock of
// the test's (the days after).
#define QTEST_QPA_MOUSE_HANDLING

#include <QDir>
#include <QFile>
#include <QTest>

#include "controls/ie_button.h"
#include "store/civil_calendar.h"
#include "store/data_file.h"
#include "support/child_process.h"
#include "window_rig.h"

using namespace velorine;
using namespace velorine::ui;
using namespace velorine::ui::testing;

namespace {

// Long enough for a start that ends at the gate, short enough not to wait for a window to close.
constexpr std::chrono::milliseconds kWindowWait{3000};

std::string birthDateIn(int days, int age = 30) {
    store::CalendarDate day = store::addDays(store::localToday(), days);
    day.year -= age;
    if (day.day == 29 && day.month == 2) day.day = 28;
    return store::displayDate(day);
}

// Two people whose birthdays come within the week, no name day among them.
std::string twoBirthdaysSoon() {
    return recordSection({{"Martin", "Anne", birthDateIn(0), "", ""}, {"Roux", "Yves", birthDateIn(3, 50), "", ""}}) +
           "[Options]\r\nRappelFete=0\r\n";
}

class Logon {
public:
    explicit Logon(const std::string& dataFile)
        : rig(RigSetup{dataFile, {}, false, app::RunMode::AutomaticReminder, store::localToday()}) {
        const QString config = rig.directory.filePath("home/config/velorine");
        QDir().mkpath(config);
        configFile = QFile::encodeName(config + "/velorine.conf").toStdString();
        writeBytes(configFile, "[Velorine]\r\nDataPath=" + rig.context.startup.dataDirectory + "\r\n");
    }

    // The real program, offscreen: its exit status, or timedOut while its window stays open.
    velorine::testing::ProcessResult run(const std::string& word) {
        const std::string home = rig.directory.filePath("home").toStdString();
        return velorine::testing::runProcess(VELORINE_BINARY, {word},
                                             {{"HOME", home},
                                              {"XDG_CONFIG_HOME", home + "/config"},
                                              {"XDG_DATA_HOME", home + "/data"},
                                              {"QT_QPA_PLATFORM", "offscreen"},
                                              {"PATH", "/usr/bin:/bin"}},
                                             kWindowWait);
    }

    // The start-up of "velorine PROG" on another day: true when it goes on to the window.
    bool startShowsTheWindowOn(const store::CalendarDate& day) {
        app::StartupEnvironment environment;
        environment.configFile = configFile;
        environment.defaultDataDirectory = rig.context.startup.dataDirectory;
        environment.executableDirectory = rig.context.startup.dataDirectory;
        environment.arguments = {"PROG"};
        environment.today = [day] { return day; };
        return !app::runStartup(environment).endsRun;
    }

    void answer(const char* button) {
        auto& answer = rig.control<controls::TIEButton>(button);
        QTest::mouseMove(&answer, {40, 12});
        QTest::mouseClick(&answer, Qt::LeftButton, {}, {40, 12});
        QVERIFY(!rig.reminderWindow().isVisible());
    }

    WindowRig rig;
    std::string configFile;
};

}  // namespace

class ReminderLogonTest : public QObject {
    Q_OBJECT

private slots:
    void onDemandTheWindowOpensAlsoWithNothingDue() {
        Logon logon("");
        const auto result = logon.run("RAPPEL");
        QVERIFY2(result.timedOut, result.standardError.c_str());
    }

    void atLogonTheWindowOpensWhenSomethingIsDue() {
        Logon logon(twoBirthdaysSoon());
        const auto result = logon.run("PROG");
        QVERIFY2(result.timedOut, result.standardError.c_str());
    }

    void afterTomorrowTheNextLogonTodayIsSilent() {
        Logon logon(twoBirthdaysSoon());
        logon.answer("IEButton3");
        const auto result = logon.run("PROG");
        QCOMPARE(result.exitStatus, 1);
        QVERIFY(logon.startShowsTheWindowOn(store::addDays(store::localToday(), 1)));
    }

    // "Oui" keeps reminding: every later start of the day shows the window again.
    void afterYesTheNextLogonTodayRemindsAgain() {
        Logon logon(twoBirthdaysSoon());
        logon.answer("IEButton2");
        QVERIFY(logon.run("PROG").timedOut);
    }

    void afterNoThosePeopleComeBackOnlyOnTheirResumeDate() {
        Logon logon(twoBirthdaysSoon());
        QCOMPARE(logon.rig.reminderWindow().reminderEntries().size(), std::size_t{2});
        logon.answer("IEButton1");
        const store::CalendarDate today = store::localToday();
        QCOMPARE(logon.run("PROG").exitStatus, 1);
        QVERIFY(!logon.startShowsTheWindowOn(today));
        QVERIFY(!logon.startShowsTheWindowOn(store::addDays(today, 1)));
        QVERIFY(!logon.startShowsTheWindowOn(store::addDays(today, 2)));
        // Yves's birthday, held back until its own day, and the real program compacts at every start.
        QVERIFY(logon.startShowsTheWindowOn(store::addDays(today, 3)));
        QVERIFY(logon.rig.dataFileBytes().find("Proch2=") != std::string::npos);
    }
};

QTEST_MAIN(ReminderLogonTest)
#include "reminder_logon_test.moc"
