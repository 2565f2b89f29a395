// The built velorine program itself, run in a private home with its own XDG directories.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include "store/civil_calendar.h"
#include "store/data_file.h"
#include "store/dates.h"
#include "support/child_process.h"
#include "support/temp_dir.h"

namespace velorine {
namespace {

using testing::readFile;
using testing::TempDir;
using testing::writeFile;

class VelorineBinaryTest : public ::testing::Test {
protected:
    TempDir home;
    std::string dataDirectory = home.file("data/velorine");
    std::string dataFile = dataDirectory + "/velor.ini";

    void givenData(const std::string& bytes, const std::string& name = "velor.ini") {
        ::mkdir(home.file("data").c_str(), 0700);
        ::mkdir(dataDirectory.c_str(), 0700);
        writeFile(dataDirectory + "/" + name, bytes);
    }

    // No display at all: a run that tried to open a window would fail instead of ending with 1.
    testing::ProcessResult run(const std::vector<std::string>& arguments, const char* platform = "xcb",
                               std::chrono::milliseconds timeout = std::chrono::seconds(20)) {
        return testing::runProcess(VELORINE_BINARY, arguments,
                                   {{"HOME", home.path()},
                                    {"XDG_CONFIG_HOME", home.file("config")},
                                    {"XDG_DATA_HOME", home.file("data")},
                                    {"QT_QPA_PLATFORM", platform},
                                    {"PATH", "/usr/bin:/bin"}},
                                   timeout);
    }

    static std::string dayTextFromToday(int days) { return store::dayText(store::addDays(store::localToday(), days)); }
    // A birth date whose birthday falls `days` from today (born 30 years before).
    static std::string birthDateFromToday(int days) {
        store::CalendarDate d = store::addDays(store::localToday(), days);
        d.year -= 30;
        if (d.day == 29 && d.month == 2) d.day = 28;
        return store::displayDate(d);
    }
    static std::string oneRecord(const std::string& birthDate) {
        return "[Velorine]\r\nNom1=Martin\r\nPren1=Anne\r\nDate1=" + birthDate + "\r\nAdress1=\r\nEmail1=\r\n";
    }
};

TEST_F(VelorineBinaryTest, AMissingConfigurationCreatesTheDefaultDataDirectory) {
    const auto result = run({"PROG"});
    EXPECT_EQ(result.exitStatus, 1) << result.standardError;
    struct stat st {};
    ASSERT_EQ(::stat(dataDirectory.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0700u);
    EXPECT_EQ(readFile(dataFile), "[Controle]\r\nVersion=2.0\r\n");
    EXPECT_FALSE(testing::fileExists(home.file("config/velorine/velorine.conf")));
}

TEST_F(VelorineBinaryTest, APreviousVersionWithNothingToOfferOpensNoWindow) {
    struct Case {
        const char* what;
        std::string recoveryLines;
        std::string oldList;
        const char* flagAfter;
    };
    const std::string records = "[Velorine]\r\nNom1=Martin\r\nPren1=Anne\r\n";
    const Case cases[] = {
        {"offered before", "[Recuperation]\r\nRecupV10=1\r\n", "[Controle]\r\nVersion=1.0\r\n" + records, "1"},
        {"an old list without records", "", "[Controle]\r\nVersion=1.0\r\n[Velorine]\r\nNom1=\r\n", "0"},
    };
    ::mkdir(home.file("config").c_str(), 0700);
    ::mkdir(home.file("config/velorine").c_str(), 0700);
    ::mkdir(home.file("ancien").c_str(), 0700);
    const std::string configFile = home.file("config/velorine/velorine.conf");
    for (const auto& c : cases) {
        writeFile(configFile, "[VersionPrecedente]\r\nPath=" + home.file("ancien") + "\r\n" + c.recoveryLines);
        writeFile(home.file("ancien/velor.ini"), c.oldList);
        const auto result = run({"PROG"});
        EXPECT_EQ(result.exitStatus, 1) << c.what << result.standardError;
        EXPECT_EQ(store::readValue(configFile, "Recuperation", "RecupV10", "", 256), c.flagAfter) << c.what;
        EXPECT_FALSE(testing::fileExists(dataDirectory + "/velor.ouv")) << c.what;
    }
}

TEST_F(VelorineBinaryTest, APendingFileIsSwappedInCompactedAndStamped) {
    givenData(oneRecord("01/01/1950"));
    givenData("[Controle]\r\nVersion=1.0\r\n[Rappel]\r\nDate=" + dayTextFromToday(1) +
                  "\r\n[Velorine]\r\nNom1=\r\nNom2=Nouveau\r\nPren2=Paul\r\nDate2=02/02/"
                  "1980\r\nAdress2=\r\nEmail2=\r\nNom3=\r\n",
              "velor.ouv");
    const auto result = run({"PROG"});
    EXPECT_EQ(result.exitStatus, 1) << result.standardError;
    EXPECT_FALSE(testing::fileExists(dataDirectory + "/velor.ouv"));
    const store::IniDocument doc = store::snapshot(dataFile);
    EXPECT_EQ(doc.read("Controle", "Version", "", 16), "2.0");
    EXPECT_EQ(doc.read("Velorine", "Nom1", "", 128), "Nouveau");
    EXPECT_EQ(doc.read("Velorine", "Date1", "", 128), "02/02/1980");
    EXPECT_FALSE(doc.find("Velorine", "Nom2"));
    EXPECT_FALSE(doc.find("Velorine", "Nom3"));
}

TEST_F(VelorineBinaryTest, TheAutomaticStartIsQuietUntilTheNextReminderDay) {
    for (const char* word : {"PROG", "prog", "Prog"}) {
        givenData(oneRecord(birthDateFromToday(0)) + "[Rappel]\r\nDate=" + dayTextFromToday(1) + "\r\n");
        const auto result = run({word});
        EXPECT_EQ(result.exitStatus, 1) << word << result.standardError;
        EXPECT_LT(result.elapsed.count(), 5000) << word;
        EXPECT_TRUE(result.standardError.empty()) << result.standardError;
    }
}

TEST_F(VelorineBinaryTest, TheAutomaticStartEndsWhenNothingIsDue) {
    givenData(oneRecord(birthDateFromToday(30)) + "[Rappel]\r\nDate=" + dayTextFromToday(0) + "\r\n");
    const auto result = run({"PROG"});
    EXPECT_EQ(result.exitStatus, 1) << result.standardError;
}

// The run goes on to the reminder window, which stays open until the user answers.
TEST_F(VelorineBinaryTest, TheAutomaticStartGoesOnWhenABirthdayIsDue) {
    givenData(oneRecord(birthDateFromToday(3)) + "[Rappel]\r\nDate=" + dayTextFromToday(0) + "\r\n");
    const auto result = run({"PROG"}, "offscreen", std::chrono::milliseconds(3000));
    EXPECT_TRUE(result.timedOut) << result.exitStatus << result.standardError;
}

// The start at logon that ends at the gate must not pay for loading the windows' libraries.
TEST_F(VelorineBinaryTest, TheAutomaticStartWithNothingDueLoadsNoWindowLibrary) {
    givenData(oneRecord(birthDateFromToday(30)));
    const auto result = testing::runProcess(VELORINE_BINARY, {"PROG"},
                                            {{"HOME", home.path()},
                                             {"XDG_CONFIG_HOME", home.file("config")},
                                             {"XDG_DATA_HOME", home.file("data")},
                                             {"LD_DEBUG", "files"}},
                                            std::chrono::seconds(20));
    EXPECT_EQ(result.exitStatus, 1);
    EXPECT_NE(result.standardError.find("libc.so"), std::string::npos) << "the loader said nothing";
    EXPECT_EQ(result.standardError.find("libQt6"), std::string::npos) << result.standardError;
}

TEST_F(VelorineBinaryTest, AFileSizeLimitFailsTheCompactionCleanlyInsteadOfKillingTheStart) {
    // Holes in the numbering make the start compact, which rewrites the whole file.
    std::string records = "[Velorine]\r\nNom1=\r\n";
    for (int slot = 2; slot < 13000; ++slot)
        records += "Nom" + std::to_string(slot) + "=Martin\r\nPren" + std::to_string(slot) + "=Anne\r\nDate" +
                   std::to_string(slot) + "=01/01/1990\r\nAdress" + std::to_string(slot) + "=1 rue des Lilas\r\n";
    ASSERT_GT(records.size(), 1000000u);
    givenData(records + "[Rappel]\r\nDate=" + dayTextFromToday(1) + "\r\n");
    const std::string before = readFile(dataFile);
    const auto result = testing::runProcess("/usr/bin/prlimit", {"--fsize=1000000", VELORINE_BINARY, "PROG"},
                                            {{"HOME", home.path()},
                                             {"XDG_CONFIG_HOME", home.file("config")},
                                             {"XDG_DATA_HOME", home.file("data")},
                                             {"PATH", "/usr/bin:/bin"}},
                                            std::chrono::seconds(20));
    EXPECT_EQ(result.exitStatus, 1) << result.standardError;  // not killed by SIGXFSZ
    EXPECT_EQ(readFile(dataFile), before);
    EXPECT_EQ(testing::listDirectory(dataDirectory), "velor.ini velor.ini.lock ");
}

}  // namespace
}  // namespace velorine
