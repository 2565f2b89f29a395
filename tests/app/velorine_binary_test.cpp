// The built velorine program itself, run in a private home with its own XDG directories.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>

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

// The start at logon that ends at the gate must not pay for loading the windows' libraries, nor the
// desktop bus's for a user reminded by a notification.
TEST_F(VelorineBinaryTest, TheAutomaticStartWithNothingToShowLoadsNoWindowOrBusLibrary) {
    const std::pair<const char*, std::string> cases[] = {
        {"nothing due", oneRecord(birthDateFromToday(30))},
        {"nothing due, by notification", oneRecord(birthDateFromToday(30)) + "[Options]\r\nNotification=1\r\n"},
        {"quiet until tomorrow, by notification",
         oneRecord(birthDateFromToday(0)) + "[Options]\r\nNotification=1\r\n[Rappel]\r\nDate=" + dayTextFromToday(1) +
             "\r\n"},
    };
    for (const auto& [what, data] : cases) {
        givenData(data);
        const auto result = testing::runProcess(VELORINE_BINARY, {"PROG"},
                                                {{"HOME", home.path()},
                                                 {"XDG_CONFIG_HOME", home.file("config")},
                                                 {"XDG_DATA_HOME", home.file("data")},
                                                 {"LD_DEBUG", "files"}},
                                                std::chrono::seconds(20));
        EXPECT_EQ(result.exitStatus, 1) << what;
        EXPECT_NE(result.standardError.find("libc.so"), std::string::npos) << what << ": the loader said nothing";
        EXPECT_EQ(result.standardError.find("libQt6"), std::string::npos) << what << result.standardError;
        EXPECT_EQ(result.standardError.find("libdbus"), std::string::npos) << what << result.standardError;
        EXPECT_EQ(result.standardError.find("libical"), std::string::npos) << what << result.standardError;
    }
}

// The start at logon that takes a pending list in (an open whose restart failed, the previous
// version's list) hands over to the windows' executable, which keeps this computer's calendar
// option, not the list's, and brings the calendar up to date, even when nothing is due.
TEST_F(VelorineBinaryTest, APendingListBringsTheKeptCalendarUpToDateAtTheGate) {
    const std::string calendar = dataDirectory + "/anniversaires.ics";
    const std::string elsewhere = home.file("ailleurs.ics");
    const std::string agenda = "[Agenda]\r\nAJour=1\r\nFichier=" + calendar + "\r\n";
    const std::string pendingList =
        "[Controle]\r\nVersion=2.0\r\n[Velorine]\r\nNom1=Nouveau\r\nPren1=Paul\r\nDate1=02/02/1980\r\n";
    for (const std::string& pendingAgenda : {std::string(), "[Agenda]\r\nAJour=1\r\nFichier=" + elsewhere + "\r\n"}) {
        givenData(oneRecord(birthDateFromToday(30)) + agenda);
        givenData(pendingList + pendingAgenda, "velor.ouv");
        const auto result = run({"PROG"});
        EXPECT_EQ(result.exitStatus, 1) << result.standardError;
        EXPECT_FALSE(testing::fileExists(dataDirectory + "/velor.ouv"));
        EXPECT_NE(readFile(calendar).find("SUMMARY:Anniversaire de Paul Nouveau (1980)\r\n"), std::string::npos);
        EXPECT_FALSE(testing::fileExists(elsewhere));
        EXPECT_EQ(store::readValue(dataFile, "Agenda", "Fichier", "", 256), calendar);
    }
    // The next start, with nothing changed, writes nothing.
    const auto written = std::filesystem::last_write_time(calendar);
    const auto again = run({"PROG"});
    EXPECT_EQ(again.exitStatus, 1) << again.standardError;
    EXPECT_EQ(std::filesystem::last_write_time(calendar), written);
}

// A window is needed but no display can be reached: one French line says so, and the status is the
// one the manual gives, not the toolkit's abort.
TEST_F(VelorineBinaryTest, AWindowWithoutAnyDisplayEndsWithOneLineAndItsStatus) {
    const auto result = testing::runProcess(VELORINE_BINARY, {"RAPPEL"},
                                            {{"HOME", home.path()},
                                             {"XDG_CONFIG_HOME", home.file("config")},
                                             {"XDG_DATA_HOME", home.file("data")},
                                             {"PATH", "/usr/bin:/bin"}},
                                            std::chrono::seconds(20));
    EXPECT_EQ(result.exitStatus, 3) << result.standardError;
    EXPECT_EQ(result.standardError,
              "velorine : aucun affichage n'est accessible (ni Wayland, ni X11) : les fenêtres ne peuvent pas "
              "s'ouvrir.\n");
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
    EXPECT_EQ(testing::listDirectory(dataDirectory), "velor.ini ");
}

// A person's machine must never swap at logon: whatever the file, the start needs less than three
// times its size beyond what it needs for a tiny list, and never makes it grow.
TEST_F(VelorineBinaryTest, TheStartNeedsLessThanThreeTimesTheFileInMemory) {
#if defined(__SANITIZE_ADDRESS__)
    GTEST_SKIP() << "the sanitizer's own memory would be counted with the program's";
#endif
    const std::string stamp = "[Controle]\r\nVersion=2.0\r\n";
    const std::string reminderDay = "[Rappel]\r\nDate=" + dayTextFromToday(1) + "\r\n";
    givenData(stamp + reminderDay + oneRecord("01/01/1990"));
    const long baseline = run({"PROG"}).peakResidentKilobytes;
    // Written line by line: the child's peak counts the test's own memory at the fork.
    const auto writeList = [&](const std::function<void(std::ostream&)>& write) {
        std::ofstream out(dataFile, std::ios::binary | std::ios::trunc);
        write(out);
    };
    const auto withHoles = [&](std::ostream& out) {
        // Every fourth slot a hole, so that the start compacts the whole list.
        out << stamp << reminderDay << "[Velorine]\r\n";
        for (int slot = 1; slot <= 150000; ++slot)
            out << "Nom" << slot << "=" << (slot % 4 == 0 ? "" : "Martin") << "\r\nPren" << slot
                << "=Anne-Sophie\r\nDate" << slot << "=01/01/1990\r\nAdress" << slot
                << "=12 rue des Lilas, 75011 Paris\r\nEmail" << slot << "=anne.martin@example.org\r\n";
    };
    const auto tinySections = [&](std::ostream& out) {
        // Without the format stamp, so that the start rewrites the file to add it.
        out << reminderDay << oneRecord("01/01/1990");
        for (int section = 1; section <= 900000; ++section) out << "[S" << section << "]\r\n";
    };
    const std::pair<const char*, std::function<void(std::ostream&)>> cases[] = {
        {"a list with holes", withHoles}, {"a million tiny sections", tinySections}};
    for (const auto& [what, write] : cases) {
        writeList(write);
        const auto size = static_cast<long>(std::filesystem::file_size(dataFile));
        const auto result = run({"PROG"}, "xcb", std::chrono::seconds(60));
        EXPECT_EQ(result.exitStatus, 1) << what << ": " << result.standardError;
        EXPECT_LT((result.peakResidentKilobytes - baseline) * 1024, 3 * size)
            << what << ": " << result.peakResidentKilobytes << " KiB at the peak, " << baseline
            << " KiB for a tiny list, for a file of " << size / 1024 << " KiB";
        EXPECT_LE(static_cast<long>(std::filesystem::file_size(dataFile)), size + static_cast<long>(stamp.size()))
            << what;
    }
}

}  // namespace
}  // namespace velorine
