#include "app/startup.h"

#include <gtest/gtest.h>

#include <chrono>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include "store/data_file.h"
#include "store/record_store.h"
#include "support/temp_dir.h"

namespace velorine::app {
namespace {

using store::CalendarDate;
using testing::readFile;
using testing::TempDir;
using testing::writeFile;

class StartupTest : public ::testing::Test {
protected:
    TempDir home;
    std::string dataDirectory = home.file("data/velorine");
    std::string dataFile = dataDirectory + "/velor.ini";
    int dueTestCalls = 0;
    bool somethingDue = true;

    StartupEnvironment environment(std::vector<std::string> arguments = {}) {
        StartupEnvironment env;
        env.configFile = home.file("config/velorine.conf");
        env.defaultDataDirectory = dataDirectory;
        env.executableDirectory = "/opt/velorine";
        env.arguments = std::move(arguments);
        env.today = [] { return CalendarDate{8, 12, 2026}; };
        env.isAnythingDue = [this](const store::IniDocument&, const StartupState&) {
            ++dueTestCalls;
            return somethingDue;
        };
        return env;
    }

    void givenData(const std::string& bytes) {
        ::mkdir(home.file("data").c_str(), 0700);
        ::mkdir(dataDirectory.c_str(), 0700);
        writeFile(dataFile, bytes);
    }
};

TEST_F(StartupTest, CreatesTheDefaultDataDirectoryPrivateAndStampsTheFile) {
    const StartupOutcome outcome = runStartup(environment());
    EXPECT_EQ(outcome.state.dataFilePath, dataFile);
    EXPECT_EQ(outcome.state.pendingFilePath, dataDirectory + "/velor.ouv");
    EXPECT_EQ(outcome.state.installDirectory, "/opt/velorine");
    struct stat st {};
    ASSERT_EQ(::stat(dataDirectory.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0700u);
    EXPECT_EQ(readFile(dataFile), "[Controle]\r\nVersion=2.0\r\n");
    EXPECT_FALSE(outcome.endsRun);
    EXPECT_EQ(outcome.state.mode, RunMode::List);
}

TEST_F(StartupTest, TakesTheDirectoriesFromTheConfiguration) {
    ::mkdir(home.file("config").c_str(), 0700);
    writeFile(home.file("config/velorine.conf"),
              "[Velorine]\r\nDataPath=" + home.file("ailleurs") + "\r\nInstallPath=/usr/share/velorine\r\n");
    const StartupOutcome outcome = runStartup(environment());
    EXPECT_EQ(outcome.state.dataFilePath, home.file("ailleurs/velor.ini"));
    EXPECT_EQ(outcome.state.installDirectory, "/usr/share/velorine");
    EXPECT_TRUE(testing::fileExists(home.file("ailleurs/velor.ini")));
}

TEST_F(StartupTest, SwapsInAPendingFileThenCompactsAndStamps) {
    givenData("[Velorine]\r\nNom1=Ancien\r\n");
    writeFile(dataDirectory + "/velor.ouv",
              "[Controle]\r\nVersion=1.0\r\n[Velorine]\r\nNom1=\r\nNom2=Nouveau\r\nPren2=Zoé\r\n");
    runStartup(environment());
    EXPECT_FALSE(testing::fileExists(dataDirectory + "/velor.ouv"));
    EXPECT_EQ(
        readFile(dataFile),
        "[Controle]\r\nVersion=2.0\r\n[Velorine]\r\nNom1=Nouveau\r\nPren1=Zoé\r\nDate1=\r\nAdress1=\r\nEmail1=\r\n");
}

TEST_F(StartupTest, AHeldLockLeavesTheStartReadingOnly) {
    const std::string uncompacted = "[Velorine]\r\nNom1=\r\nNom2=Martin\r\nPren2=Anne\r\nDate2=08/12/1990\r\n";
    givenData(uncompacted);
    const int holder = ::open(store::lockFilePath(dataFile).c_str(), O_RDWR | O_CREAT, 0600);
    ASSERT_EQ(::flock(holder, LOCK_EX), 0);
    const StartupOutcome outcome = runStartup(environment({"PROG"}));
    ::close(holder);
    EXPECT_FALSE(outcome.endsRun);
    EXPECT_EQ(dueTestCalls, 1);
    EXPECT_EQ(readFile(dataFile), uncompacted);
}

TEST_F(StartupTest, AFileThatIsNoListIsLeftAsItIsAndTheAutomaticStartSaysSo) {
    const std::string utf16("\xFF\xFE[\0V\0e\0l\0o\0r\0i\0n\0e\0]\0\r\0\n\0", 26);
    for (const std::string& bytes : {utf16, std::string("Nom1=Martin\r\nDate1=08/12/1990\r\n")}) {
        givenData(bytes);
        const StartupOutcome automatic = runStartup(environment({"PROG"}));
        EXPECT_TRUE(automatic.endsRun);
        EXPECT_EQ(automatic.exitStatus, 1);
        EXPECT_NE(automatic.problem.find("ne peut pas être lu comme une liste"), std::string::npos)
            << automatic.problem;
        EXPECT_EQ(automatic.problem.find('\n'), std::string::npos);
        EXPECT_EQ(dueTestCalls, 0);
        // The list window tells it itself; the start only leaves the file alone.
        EXPECT_FALSE(runStartup(environment()).endsRun);
        EXPECT_EQ(readFile(dataFile), bytes);
    }
}

TEST_F(StartupTest, AFileOfBlankLinesIsAnEmptyList) {
    givenData("\r\n\r\n");
    const StartupOutcome automatic = runStartup(environment({"PROG"}));
    EXPECT_TRUE(automatic.problem.empty());
    EXPECT_NE(readFile(dataFile).find("[Controle]"), std::string::npos);
}

TEST_F(StartupTest, AStartWithNothingToChangeWritesNothing) {
    givenData("[Controle]\r\nVersion=2.0\r\n[Velorine]\r\nNom1=A\r\nPren1=\r\nDate1=\r\nAdress1=\r\nEmail1=\r\n");
    struct stat before {};
    ::stat(dataFile.c_str(), &before);
    runStartup(environment());
    struct stat after {};
    ::stat(dataFile.c_str(), &after);
    EXPECT_EQ(before.st_ino, after.st_ino);
    EXPECT_EQ(before.st_mtim.tv_nsec, after.st_mtim.tv_nsec);
}

TEST_F(StartupTest, ReadsTheNameDayOptionByItsFirstCharacter) {
    struct Case {
        const char* file;
        bool nameDays;
    };
    const Case cases[] = {
        {"", false},
        {"[Options]\r\nRappelFete=0\r\n", false},
        {"[Options]\r\nRappelFete=1\r\n", true},
        {"[Options]\r\nRappelFete=\r\n", true},
        {"[Options]\r\nRappelFete=0oui\r\n", false},
        {"[Options]\r\nRappelFete=oui\r\n", true},
    };
    for (const auto& c : cases) {
        givenData(c.file);
        EXPECT_EQ(runStartup(environment()).state.nameDayReminders, c.nameDays) << c.file;
    }
}

// Only a deliberate "1" trades the window for a notification: a damaged value keeps the window.
TEST_F(StartupTest, ReadsTheNotificationOptionAsOnOnlyWhenItIsOne) {
    const std::pair<const char*, bool> cases[] = {
        {"", false},
        {"[Options]\r\nNotification=0\r\n", false},
        {"[Options]\r\nNotification=\r\n", false},
        {"[Options]\r\nNotification=oui\r\n", false},
        {"[Options]\r\nNotification=1\r\n", true},
        {"[options]\r\nnotification=1\r\n", true},
    };
    for (const auto& [file, on] : cases) {
        givenData(file);
        EXPECT_EQ(runStartup(environment()).state.notificationReminders, on) << file;
    }
}

TEST(CommandWord, IsTheArgumentsUpperCasedAndComparedWhole) {
    struct Case {
        std::vector<std::string> arguments;
        const char* word;
        RunMode mode;
    };
    const Case cases[] = {
        {{}, "", RunMode::List},
        {{"prog"}, "PROG", RunMode::AutomaticReminder},
        {{"Prog"}, "PROG", RunMode::AutomaticReminder},
        {{"rappel"}, "RAPPEL", RunMode::ReminderOnDemand},
        {{"PROG", "x"}, "PROG X", RunMode::List},
        {{"\"PROG\""}, "\"PROG\"", RunMode::List},
        {{"fête"}, "FêTE", RunMode::List},
        {{"liste", "de", "noms"}, "LISTE DE NOMS", RunMode::List},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(commandWordFrom(c.arguments), c.word);
        EXPECT_EQ(runModeFor(commandWordFrom(c.arguments)), c.mode) << c.word;
    }
}

struct GateCase {
    const char* what;
    std::vector<std::string> arguments;
    std::string file;
    bool somethingDue;
    bool endsRun;
    int dueTestCalls;
};

TEST_F(StartupTest, TheAutomaticStartEndsWhenNothingIsToBeShown) {
    const GateCase cases[] = {
        {"no argument: no gate at all", {}, "[Rappel]\r\nDate=9 12 2026\r\n", false, false, 0},
        {"RAPPEL: no gate", {"rappel"}, "", false, false, 0},
        {"next reminder day tomorrow", {"PROG"}, "[Rappel]\r\nDate=9 12 2026\r\n", true, true, 0},
        {"lower case word", {"prog"}, "[Rappel]\r\nDate=9 12 2026\r\n", true, true, 0},
        {"next reminder day next year", {"PROG"}, "[Rappel]\r\nDate=1 1 2027\r\n", true, true, 0},
        {"next reminder day today", {"PROG"}, "[Rappel]\r\nDate=8 12 2026\r\n", true, false, 1},
        {"next reminder day yesterday, nothing due", {"PROG"}, "[Rappel]\r\nDate=7 12 2026\r\n", false, true, 1},
        {"absent: a day long past", {"PROG"}, "", true, false, 1},
        {"present but empty: a day long past", {"PROG"}, "[Rappel]\r\nDate=\r\n", true, false, 1},
        {"unreadable: a day long past", {"PROG"}, "[Rappel]\r\nDate=demain\r\n", true, false, 1},
        {"compared as dates, not as texts", {"PROG"}, "[Rappel]\r\nDate=10 2 2026\r\n", true, false, 1},
    };
    for (const auto& c : cases) {
        givenData(c.file);
        dueTestCalls = 0;
        somethingDue = c.somethingDue;
        const StartupOutcome outcome = runStartup(environment(c.arguments));
        EXPECT_EQ(outcome.endsRun, c.endsRun) << c.what;
        EXPECT_EQ(outcome.exitStatus, c.endsRun ? 1 : 0) << c.what;
        EXPECT_EQ(dueTestCalls, c.dueTestCalls) << c.what;
    }
}

TEST_F(StartupTest, ACompactStampedFileIsReadWithoutLockingOrRewriting) {
    const std::string compact =
        "[Controle]\r\nVersion=2.0\r\n[Velorine]\r\nNom1=Martin\r\nPren1=Anne\r\n"
        "Date1=05/03/1970\r\nAdress1=\r\nEmail1=\r\n";
    givenData(compact);
    struct stat before {};
    ASSERT_EQ(::stat(dataFile.c_str(), &before), 0);
    // A lock held elsewhere would make a start that takes it wait for kLockWait.
    const int holder = ::open(store::lockFilePath(dataFile).c_str(), O_RDWR | O_CREAT, 0600);
    ASSERT_EQ(::flock(holder, LOCK_EX), 0);
    const auto started = std::chrono::steady_clock::now();
    runStartup(environment({"PROG"}));
    EXPECT_LT(std::chrono::steady_clock::now() - started, store::kLockWait / 2);
    ::close(holder);
    struct stat after {};
    ASSERT_EQ(::stat(dataFile.c_str(), &after), 0);
    EXPECT_EQ(after.st_ino, before.st_ino);
    EXPECT_EQ(readFile(dataFile), compact);
}

// Without a due test of its own, the start asks the reminder engine, on what it read and compacted.
TEST_F(StartupTest, TheReminderEngineDecidesWhenNoDueTestIsGiven) {
    struct Case {
        const char* birthDate;
        bool endsRun;
    };
    const Case cases[] = {{"10/12/1970", false}, {"20/12/1970", true}};  // today is 8 December 2026
    for (const auto& c : cases) {
        // The hole makes the start compact first: the due test must see the records moved.
        givenData(std::string("[Velorine]\r\nNom1=\r\nNom2=Martin\r\nPren2=Anne\r\nDate2=") + c.birthDate +
                  "\r\nProch2=1 1 2026\r\n");
        StartupEnvironment env = environment({"PROG"});
        env.isAnythingDue = nullptr;
        const StartupOutcome outcome = runStartup(env);
        EXPECT_EQ(outcome.endsRun, c.endsRun) << c.birthDate;
        EXPECT_EQ(outcome.exitStatus, c.endsRun ? 1 : 0) << c.birthDate;
        EXPECT_EQ(store::readValue(dataFile, "Velorine", "Nom1", "", 128), "Martin");
    }
}

}  // namespace
}  // namespace velorine::app

namespace velorine::app {
namespace {

// The daily sync with the address book online is due at the automatic start only, when the
// configuration names a server and the data file records no sync today; whatever the gate decides.
TEST_F(StartupTest, TheDailySyncIsDueAtLogonWhenAServerIsSetAndNoSyncRanToday) {
    struct Case {
        const char* what;
        const char* config;
        const char* lastSync;  // the [CartesEnLigne] lines
        std::vector<std::string> arguments;
        bool somethingDue;
        bool due;
    };
    const std::vector<Case> cases = {
        {"a server, never synced, nothing to remind",
         "[CarnetEnLigne]\r\nAdresse=https://dav.example.org/\r\n",
         "",
         {"PROG"},
         false,
         true},
        {"a server, synced yesterday, something to remind",
         "[CarnetEnLigne]\r\nAdresse=https://dav.example.org/\r\n",
         "Derniere=7 12 2026\r\n",
         {"PROG"},
         true,
         true},
        {"a server, synced today",
         "[CarnetEnLigne]\r\nAdresse=https://dav.example.org/\r\n",
         "Derniere=8 12 2026\r\n",
         {"PROG"},
         false,
         false},
        {"no server", "[CarnetEnLigne]\r\nAdresse=\r\n", "", {"PROG"}, false, false},
        {"the list window", "[CarnetEnLigne]\r\nAdresse=https://dav.example.org/\r\n", "", {}, false, false},
    };
    ::mkdir(home.file("config").c_str(), 0700);
    for (const Case& c : cases) {
        writeFile(home.file("config/velorine.conf"), c.config);
        givenData(std::string("[Controle]\r\nVersion=2.0\r\n[CartesEnLigne]\r\n") + c.lastSync);
        somethingDue = c.somethingDue;
        const StartupOutcome outcome = runStartup(environment(c.arguments));
        EXPECT_EQ(outcome.dailySyncDue, c.due) << c.what;
        EXPECT_EQ(outcome.endsRun, c.arguments.size() == 1 && !c.somethingDue) << c.what;
    }
}

}  // namespace
}  // namespace velorine::app
