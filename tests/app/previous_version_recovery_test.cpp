#include "app/previous_version_recovery.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include "app/startup.h"
#include "store/data_file.h"
#include "support/temp_dir.h"

namespace velorine::app {
namespace {

using testing::fileExists;
using testing::readFile;
using testing::TempDir;
using testing::writeFile;

const std::string kOldList =
    "[Controle]\r\nVersion=1.0\r\n[Options]\r\nRappelFete=1\r\n[Velorine]\r\nNom1=L\xE9ger\r\nPren1=No\xEBl\r\n"
    "Date1=25/12/1962\r\nAdress1=\r\nEmail1=\r\n";
const std::string kCurrentList =
    "[Controle]\r\nVersion=1.0\r\n[Velorine]\r\nNom1=\r\nNom2=Dupont\r\nPren2=Jean\r\nDate2=10/03/1990\r\n";

// A user's home: velorine.conf naming the data directory and the previous version's directory, the
// old list there, and the seams of the recovery answered and counted.
class RecoveryTest : public ::testing::Test {
protected:
    TempDir home;
    std::string configFile = home.file("config/velorine.conf");
    std::string dataDirectory = home.file("data");
    std::string dataFile = dataDirectory + "/velor.ini";
    std::string pendingFile = dataDirectory + "/velor.ouv";
    std::string oldDirectory = home.file("ancien");
    std::string installDirectory = home.file("installation");

    bool answer = true;
    bool restartSucceeds = true;
    int questions = 0;
    int failureMessages = 0;
    store::Failure toldCause = store::Failure::None;
    std::string toldPath;
    int restarts = 0;

    void SetUp() override {
        for (const auto& directory : {home.file("config"), dataDirectory, oldDirectory, installDirectory})
            ::mkdir(directory.c_str(), 0700);
        writeFile(dataFile, kCurrentList);
        writeFile(oldDirectory + "/VELOR.INI", kOldList);
        givenConfig("RecupV10=0\r\n", oldDirectory);
    }

    void givenConfig(const std::string& recoveryLines, const std::string& previousDirectory) {
        writeFile(configFile, "[Velorine]\r\nDataPath=" + dataDirectory + "\r\nInstallPath=" + installDirectory +
                                  "/\r\n[VersionPrecedente]\r\nPath=" + previousDirectory + "\r\n[Recuperation]\r\n" +
                                  recoveryLines);
    }

    std::string flag() const { return store::readValue(configFile, "Recuperation", "RecupV10", "absent", 256); }

    StartupOutcome start(std::vector<std::string> arguments = {}) {
        StartupEnvironment env;
        env.configFile = configFile;
        env.defaultDataDirectory = home.file("ailleurs");
        env.executableDirectory = installDirectory;
        env.arguments = std::move(arguments);
        env.today = [] { return store::CalendarDate{8, 12, 2026}; };
        env.isAnythingDue = [](const store::IniDocument&, const StartupState&) { return false; };
        env.recovery.askToRecover = [this] {
            ++questions;
            return answer;
        };
        env.recovery.tellRecoveryFailed = [this](store::Failure cause, const std::string& path) {
            ++failureMessages;
            toldCause = cause;
            toldPath = path;
        };
        env.recovery.restartProgram = [this] {
            ++restarts;
            return restartSucceeds;
        };
        return runStartup(env);
    }
};

TEST_F(RecoveryTest, YesCopiesTheOldListForTheNextInstanceAndEndsBeforeTouchingTheDataFile) {
    const StartupOutcome outcome = start({"PROG"});
    EXPECT_EQ(questions, 1);
    EXPECT_EQ(restarts, 1);
    EXPECT_EQ(failureMessages, 0);
    EXPECT_TRUE(outcome.endsRun && outcome.restarted);
    EXPECT_EQ(outcome.exitStatus, 0);  // not the gate's 1: this run ends by handing over
    EXPECT_EQ(readFile(pendingFile), kOldList);
    EXPECT_EQ(readFile(dataFile), kCurrentList);  // neither compacted nor stamped
    EXPECT_EQ(flag(), "1");

    // The new instance: takes the old list in, stamps it, asks nothing.
    const StartupOutcome next = start();
    EXPECT_FALSE(next.endsRun);
    EXPECT_EQ(questions, 1);
    EXPECT_FALSE(fileExists(pendingFile));
    const store::IniDocument data = store::snapshot(dataFile);
    EXPECT_EQ(data.read("Controle", "Version", "", 16), "2.0");
    EXPECT_EQ(data.read("Velorine", "Nom1", "", 128), "L\xE9ger");
    EXPECT_FALSE(data.find("Velorine", "Nom2"));
    EXPECT_TRUE(next.state.nameDayReminders);  // the old list's options came with it
    EXPECT_EQ(readFile(oldDirectory + "/VELOR.INI"), kOldList);
}

TEST_F(RecoveryTest, WhenNoNewInstanceStartsThisRunGoesOnWithTheOldList) {
    restartSucceeds = false;
    const StartupOutcome outcome = start();
    EXPECT_EQ(restarts, 1);
    EXPECT_FALSE(outcome.endsRun || outcome.restarted);
    EXPECT_FALSE(fileExists(pendingFile));
    EXPECT_EQ(store::readValue(dataFile, "Velorine", "Nom1", "", 128), "L\xE9ger");
    EXPECT_EQ(store::readValue(dataFile, "Controle", "Version", "", 16), "2.0");
    EXPECT_EQ(flag(), "1");
}

TEST_F(RecoveryTest, NoIsRememberedAndNeverAskedAgain) {
    answer = false;
    EXPECT_FALSE(start().endsRun);
    EXPECT_EQ(flag(), "1");
    EXPECT_FALSE(fileExists(pendingFile));
    EXPECT_EQ(store::readValue(dataFile, "Velorine", "Nom1", "", 128), "Dupont");
    start();
    EXPECT_EQ(questions, 1);
    EXPECT_EQ(restarts, 0);
}

TEST_F(RecoveryTest, AWaitingPendingFileIsTakenInBeforeTheCopy) {
    const std::string waiting = "[Controle]\r\nVersion=2.0\r\n[Velorine]\r\nNom1=Attente\r\n";
    writeFile(pendingFile, waiting);
    EXPECT_TRUE(start().restarted);
    EXPECT_EQ(readFile(dataFile), waiting);
    EXPECT_EQ(readFile(pendingFile), kOldList);
}

TEST_F(RecoveryTest, AFailedCopyIsToldAndTheNextStartAsksAgain) {
    // Something in the way at the pending path that the swap cannot take in.
    ::mkdir(pendingFile.c_str(), 0700);
    for (int run = 1; run <= 2; ++run) {
        const StartupOutcome outcome = start();
        EXPECT_FALSE(outcome.endsRun);
        EXPECT_EQ(questions, run);
        EXPECT_EQ(failureMessages, run);
        EXPECT_EQ(toldCause, store::Failure::AlreadyExists);
        EXPECT_EQ(toldPath, pendingFile);
        EXPECT_EQ(restarts, 0);
        EXPECT_EQ(flag(), "0");
        EXPECT_EQ(store::readValue(dataFile, "Velorine", "Nom1", "", 128), "Dupont");
    }
    ::rmdir(pendingFile.c_str());
    EXPECT_TRUE(start().restarted);
    EXPECT_EQ(questions, 3);
}

TEST_F(RecoveryTest, TheFlagIsOnlyEverWrittenIntoAnExistingConfiguration) {
    struct Case {
        const char* what;
        std::string recoveryLines;
        std::string flagAfter;
    };
    const Case cases[] = {
        {"absent", "", "0"},
        {"empty", "RecupV10=\r\n", "0"},
        {"not yet done", "RecupV10=0\r\n", "0"},
        {"any other text", "RecupV10=oui\r\n", "oui"},
    };
    answer = false;
    for (const auto& c : cases) {
        // No previous version known: only the flag is at stake.
        givenConfig(c.recoveryLines, "");
        start();
        EXPECT_EQ(flag(), c.flagAfter) << c.what;
    }
    EXPECT_EQ(questions, 0);

    ::unlink(configFile.c_str());
    start();
    EXPECT_FALSE(fileExists(configFile));
}

TEST_F(RecoveryTest, AnAnswerThatCannotBeStoredIsAskedForAgain) {
    ::chmod(configFile.c_str(), 0400);
    answer = false;
    start();
    start();
    EXPECT_EQ(questions, 2);
    EXPECT_EQ(flag(), "0");
}

TEST_F(RecoveryTest, NothingIsOfferedUnlessAnotherDirectoryHoldsAPreviousVersionListWithRecords) {
    struct Case {
        const char* what;
        std::string flagLines;
        std::string previousDirectory;
        std::string oldFile;  // the bytes of VELOR.INI; none when empty
    };
    const std::string records = "[Velorine]\r\nNom1=Martin\r\nPren1=Anne\r\n";
    const Case cases[] = {
        {"done or declined before", "RecupV10=1\r\n", oldDirectory, kOldList},
        {"no previous version known", "", "", kOldList},
        {"the previous version lived where this one is", "", installDirectory, kOldList},
        {"the same place, written with a slash", "", installDirectory + "/", kOldList},
        {"no old list there", "", oldDirectory, ""},
        {"an old list without a version", "", oldDirectory, records},
        {"a list of this version", "", oldDirectory, "[Controle]\r\nVersion=2.0\r\n" + records},
        {"another version", "", oldDirectory, "[Controle]\r\nVersion=1.01\r\n" + records},
        {"only empty surnames", "", oldDirectory, "[Controle]\r\nVersion=1.0\r\n[Velorine]\r\nNom1=\r\nNom2=\r\n"},
        {"a list ended before its first record", "", oldDirectory,
         "[Controle]\r\nVersion=1.0\r\n[Velorine]\r\nNom2=Martin\r\n"},
        {"no record section", "", oldDirectory, "[Controle]\r\nVersion=1.0\r\n"},
    };
    for (const auto& c : cases) {
        ::unlink((oldDirectory + "/VELOR.INI").c_str());
        if (!c.oldFile.empty()) writeFile(oldDirectory + "/VELOR.INI", c.oldFile);
        writeFile(installDirectory + "/VELOR.INI", kOldList);
        givenConfig(c.flagLines, c.previousDirectory);
        const StartupOutcome outcome = start();
        EXPECT_EQ(questions, 0) << c.what;
        EXPECT_EQ(failureMessages + restarts, 0) << c.what;
        EXPECT_FALSE(outcome.endsRun) << c.what;
        EXPECT_FALSE(fileExists(pendingFile)) << c.what;
        EXPECT_EQ(flag(), c.flagLines.empty() ? "0" : "1") << c.what;
    }
}

TEST_F(RecoveryTest, AnOldListThatCannotBeReadIsNotOffered) {
    const std::string oldFile = oldDirectory + "/VELOR.INI";
    const std::function<void()> unreadable[] = {
        [&] { ::mkdir(oldFile.c_str(), 0700); },
        [&] { ::mkfifo(oldFile.c_str(), 0600); },  // must not block the start either
        [&] { ::symlink("nulle-part", oldFile.c_str()); },
        // Larger than any data file the store reads: sparse, so nothing is really written.
        [&] { writeFile(oldFile, kOldList), ::truncate(oldFile.c_str(), (1LL << 30) + 1); },
    };
    for (const auto& makeUnreadable : unreadable) {
        ::unlink(oldFile.c_str());
        ::rmdir(oldFile.c_str());
        makeUnreadable();
        start();
    }
    ::unlink(oldFile.c_str());
    givenConfig("", oldDirectory + "/absent");
    start();
    EXPECT_EQ(questions, 0);
    EXPECT_FALSE(fileExists(pendingFile));
}

TEST_F(RecoveryTest, TheOldListIsFoundWhateverTheCaseOfItsNameAndWithATrailingSlash) {
    ::unlink((oldDirectory + "/VELOR.INI").c_str());
    writeFile(oldDirectory + "/Velor.Ini", kOldList);
    givenConfig("", oldDirectory + "//");
    EXPECT_TRUE(start().restarted);
    EXPECT_EQ(readFile(pendingFile), kOldList);
}

TEST(FileNameLookup, PrefersTheExactNameThenTheFirstInByteOrder) {
    struct Case {
        std::string name;
        std::vector<std::string> files;
        std::vector<std::string> directories;
        std::string found;
    };
    const Case cases[] = {
        {"VELOR.INI", {"VELOR.INI"}, {}, "VELOR.INI"},
        {"VELOR.INI", {"velor.ini"}, {}, "velor.ini"},
        {"VELOR.INI", {"velor.ini", "Velor.Ini"}, {}, "Velor.Ini"},
        {"VELOR.INI", {"velor.ini"}, {"VELOR.INI"}, "velor.ini"},  // a directory is no list
        {"VELOR.INI", {"velor.ini.bak", "VELOR.IN", "XVELOR.INI"}, {}, "VELOR.INI"},
        {"VELOR.INI", {}, {}, "VELOR.INI"},
        {"Velor.Ini", {"VELOR.INI", "Velor.Ini", "velor.ini"}, {}, "Velor.Ini"},
    };
    for (const auto& c : cases) {
        TempDir directory;
        for (const auto& name : c.files) writeFile(directory.file(name), "x");
        for (const auto& name : c.directories) ::mkdir(directory.file(name).c_str(), 0700);
        EXPECT_EQ(findFileIgnoringCase(directory.path(), c.name), directory.file(c.found)) << c.found;
    }
    EXPECT_EQ(findFileIgnoringCase("/nulle/part", "VELOR.INI"), "/nulle/part/VELOR.INI");
}

}  // namespace
}  // namespace velorine::app
