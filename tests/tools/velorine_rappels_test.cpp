// velorine-rappels end to end: the built binary, run with a home, a configuration and a data
// directory of the test's own.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include <sys/stat.h>
#include <unistd.h>

#include "store/civil_calendar.h"
#include "store/cp1252.h"
#include "support/child_process.h"
#include "support/temp_dir.h"

namespace velorine::tools {
namespace {

using testing::listDirectory;
using testing::ProcessResult;
using testing::readFile;
using testing::TempDir;
using testing::writeFile;

constexpr char kBinary[] = VELORINE_RAPPELS_BINARY;

// Anne's birthday on 5 March, Yves's name day on 19 May, Hélène's on 18 August.
constexpr char kPeople[] =
    "[Options]\r\nRappelFete=1\r\n"
    "[Velorine]\r\n"
    "Nom1=Martin\r\nPren1=Anne\r\nDate1=05/03/1970\r\n"
    "Nom2=Durand\r\nPren2=Yves\r\nDate2=20/05/1980\r\n"
    "Nom3=Lef\xE8vre\r\nPren3=H\xE9l\xE8ne\r\nDate3=16/08/1990\r\n";

class VelorineRappelsTest : public ::testing::Test {
protected:
    TempDir home;
    std::string configHome = home.file("config");
    std::string dataHome = home.file("data");
    std::string dataDirectory = dataHome + "/velorine";
    std::string dataFile = dataDirectory + "/velor.ini";

    ProcessResult run(const std::vector<std::string>& arguments) const {
        return testing::runProcess(
            kBinary, arguments, {{"HOME", home.path()}, {"XDG_CONFIG_HOME", configHome}, {"XDG_DATA_HOME", dataHome}},
            std::chrono::seconds(10));
    }

    void givenDataFile(const std::string& cp1252Bytes) const {
        ::mkdir(dataHome.c_str(), 0700);
        ::mkdir(dataDirectory.c_str(), 0700);
        writeFile(dataFile, cp1252Bytes);
    }

    // The refusals all look alike: status 2, nothing on standard output, one French line on
    // standard error.
    static void expectRefused(const ProcessResult& result, const std::string& messagePart) {
        EXPECT_EQ(result.exitStatus, 2);
        EXPECT_EQ(result.standardOutput, "");
        EXPECT_TRUE(result.standardError.starts_with("velorine-rappels : ")) << result.standardError;
        EXPECT_NE(result.standardError.find(messagePart), std::string::npos) << result.standardError;
        EXPECT_TRUE(result.standardError.ends_with("\n"));
    }
};

TEST_F(VelorineRappelsTest, PrintsTheDaysLinesInUtf8FromTheProgramsDataFile) {
    givenDataFile(kPeople);
    const ProcessResult result = run({"--date", "18/05/2026"});
    EXPECT_EQ(result.exitStatus, 0);
    EXPECT_EQ(result.standardOutput,
              "Yves Durand aura 46 ans le 20/05/2026 (dans 2 jours)\n"
              "Ce sera la fete d'Yves Durand DEMAIN !!\n");
    EXPECT_EQ(result.standardError, "");

    const ProcessResult august = run({"--date=16/08/2026"});
    EXPECT_EQ(august.exitStatus, 0);
    EXPECT_EQ(august.standardOutput,
              "Hélène Lefèvre a 36 ans AUJOURD'HUI !!\n"
              "Ce sera la fete de Hélène Lefèvre le 18/08/2026 (dans 2 jours)\n");
}

TEST_F(VelorineRappelsTest, EndsWithStatusOneAndPrintsNothingWhenNothingIsDue) {
    givenDataFile(kPeople);
    const ProcessResult result = run({"--date", "01/10/2026"});
    EXPECT_EQ(result.exitStatus, 1);
    EXPECT_EQ(result.standardOutput, "");
    EXPECT_EQ(result.standardError, "");
}

TEST_F(VelorineRappelsTest, CountsFromTodayWithoutADate) {
    const store::CalendarDate today = store::localToday();
    givenDataFile("[Velorine]\r\nNom1=Roux\r\nPren1=Paul\r\nDate1=" +
                  store::displayDate({today.day, today.month, 2000}) + "\r\n");
    const ProcessResult result = run({});
    if (!(store::localToday() == today)) GTEST_SKIP() << "midnight passed during the test";
    EXPECT_EQ(result.exitStatus, 0);
    EXPECT_EQ(result.standardOutput, "Paul Roux a " + std::to_string(today.year - 2000) + " ans AUJOURD'HUI !!\n");
}

TEST_F(VelorineRappelsTest, FindsTheDataDirectoryTheConfigurationNames) {
    givenDataFile("[Velorine]\r\n");
    const std::string elsewhere = home.file("ailleurs");
    ::mkdir(elsewhere.c_str(), 0700);
    writeFile(elsewhere + "/velor.ini", kPeople);
    ::mkdir(configHome.c_str(), 0700);
    ::mkdir((configHome + "/velorine").c_str(), 0700);
    writeFile(configHome + "/velorine/velorine.conf", "[Velorine]\nDataPath=" + elsewhere + "\n");
    const ProcessResult result = run({"--date", "01/03/2026"});
    EXPECT_EQ(result.exitStatus, 0);
    EXPECT_EQ(result.standardOutput, "Anne Martin aura 56 ans le 05/03/2026 (dans 4 jours)\n");
}

// The file given, with its own horizon, name-day option and resume dates.
TEST_F(VelorineRappelsTest, ReadsTheFileGivenWithItsOwnSettings) {
    givenDataFile(kPeople);
    const std::string other = home.file("liste.ini");
    writeFile(other,
              "[Rappel]\r\nJours=30\r\n[Velorine]\r\n"
              "Nom1=Durand\r\nPren1=Yves\r\nDate1=20/05/1980\r\n"
              "Nom2=Petit\r\nPren2=Jean\r\nDate2=01/06/1990\r\nProch2=1 6 2026\r\n"
              "Nom3=Roux\r\nPren3=Luc\r\nDate3=10/06/1970\r\n");
    const ProcessResult result = run({"--fichier", other, "--date", "18/05/2026"});
    EXPECT_EQ(result.exitStatus, 0);
    EXPECT_EQ(result.standardOutput,
              "Yves Durand aura 46 ans le 20/05/2026 (dans 2 jours)\n"
              "Luc Roux aura 56 ans le 10/06/2026 (dans 23 jours)\n");
    EXPECT_EQ(run({"--date", "31/05/2026", "--fichier=" + other}).standardOutput,
              "Luc Roux aura 56 ans le 10/06/2026 (dans 10 jours)\n");
    EXPECT_EQ(run({"--date", "01/06/2026", "--fichier=" + other}).standardOutput,
              "Jean Petit a 36 ans AUJOURD'HUI !!\n"
              "Luc Roux aura 56 ans le 10/06/2026 (dans 9 jours)\n");
}

TEST_F(VelorineRappelsTest, ShowsControlCharactersOfANameAsReplacementCharacters) {
    givenDataFile("[Velorine]\r\nNom1=Ma\x1B]0;titre\x07rtin\r\nPren1=Anne\x9D\r\nDate1=05/03/1970\r\n");
    const ProcessResult result = run({"--date", "04/03/2026"});
    EXPECT_EQ(result.exitStatus, 0);
    EXPECT_EQ(result.standardOutput, "Anne\uFFFD Ma\uFFFD]0;titre\uFFFDrtin aura 56 ans DEMAIN !!\n");
}

TEST_F(VelorineRappelsTest, ANameEndsAtItsNulByte) {
    givenDataFile(std::string("[Velorine]\r\nNom1=Mar\0tin\r\nPren1=Anne\r\nDate1=05/03/1970\r\n", 56));
    EXPECT_EQ(run({"--date", "04/03/2026"}).standardOutput, "Anne Mar aura 56 ans DEMAIN !!\n");
}

TEST_F(VelorineRappelsTest, RefusesBadOptionsAndDates) {
    givenDataFile(kPeople);
    const struct {
        std::vector<std::string> arguments;
        const char* messagePart;
    } cases[] = {
        {{"--inconnue"}, "option inconnue « --inconnue »"},
        {{"-d", "18/05/2026"}, "option inconnue « -d »"},
        {{"--help"}, "--aide"},
        {{"--aide=oui"}, "option inconnue"},
        {{"PROG"}, "argument inattendu « PROG »"},
        {{"--date"}, "l'option --date attend une date JJ/MM/AAAA"},
        {{"--date", "18/05/2026", "--date", "19/05/2026"}, "donnée deux fois"},
        {{"--fichier"}, "l'option --fichier attend"},
        {{"--fichier="}, "l'option --fichier attend"},
        {{"--fichier", "a", "--fichier", "b"}, "donnée deux fois"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.arguments.front());
        expectRefused(run(c.arguments), c.messagePart);
    }
    for (const char* date : {"31/02/2026", "29/02/2027", "00/01/2026", "01/13/2026", "1/1/26", "01/01/0000",
                             "18-05-2026", "18/05/2026x", "18/05/20266", "demain", "", " 18/05/2026", "123/05/2026"}) {
        SCOPED_TRACE(date);
        expectRefused(run({"--date", date}), std::string("date incorrecte « ") + date + " »");
    }
}

TEST_F(VelorineRappelsTest, AcceptsEveryRealDateWrittenJJMMAAAA) {
    givenDataFile(kPeople);
    for (const char* date : {"29/02/2028", "1/3/2026", "01/01/0001", "31/12/9999", "05/03/1900"})
        EXPECT_NE(run({"--date", date}).exitStatus, 2) << date;
    EXPECT_EQ(run({"--date", "4/3/2026"}).standardOutput, "Anne Martin aura 56 ans DEMAIN !!\n");
}

TEST_F(VelorineRappelsTest, RefusesADataFileItCannotRead) {
    givenDataFile(kPeople);
    const std::string pipe = home.file("tube");
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
    const std::string utf16 = home.file("utf16.ini");
    writeFile(utf16, std::string("\xFF\xFE[\0V\0e\0l\0o\0r\0i\0n\0e\0]\0\r\0\n\0", 26));
    const struct {
        std::string path;
        const char* reason;
    } cases[] = {
        {home.file("absent.ini"), "fichier introuvable"},
        {dataFile + "/velor.ini", "un élément du chemin n'est pas un dossier"},
        {dataDirectory, "c'est un dossier"},
        {pipe, "ce n'est pas un fichier ordinaire"},  // refused at once, never waited on
        {utf16, "ce fichier ne peut pas être lu comme une liste d'anniversaires"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path);
        const ProcessResult result = run({"--fichier", c.path, "--date", "18/05/2026"});
        EXPECT_FALSE(result.timedOut);
        expectRefused(result, "impossible de lire « " + c.path + " » : " + c.reason);
    }
}

TEST_F(VelorineRappelsTest, EchoesArgumentsWithoutTheirEscapesAndShortened) {
    const ProcessResult path = run({"--fichier", "/x/\x1B]0;PWNED\a\x1B[2J"});
    expectRefused(path, "« /x/\uFFFD]0;PWNED\uFFFD\uFFFD[2J » : fichier introuvable");
    const ProcessResult option = run({"--\x1B[2J" + std::string(10000, 'x')});
    expectRefused(option, "option inconnue « --\uFFFD[2J");
    EXPECT_LT(option.standardError.size(), 400u);
    expectRefused(run({"--date",
                       "\x9B"
                       "2J"}),
                  "date incorrecte « \uFFFD2J »");
}

TEST_F(VelorineRappelsTest, RefusesAFileWithoutReadPermission) {
    if (::geteuid() == 0) GTEST_SKIP() << "the superuser reads every file";
    givenDataFile(kPeople);
    ::chmod(dataFile.c_str(), 0200);
    expectRefused(run({"--date", "18/05/2026"}), "accès refusé");
}

// A brand-new user's login script runs the tool before the program has ever created its file.
TEST_F(VelorineRappelsTest, AMissingDataFileOfTheProgramIsAnEmptyListAndCreatesNothing) {
    const std::string before = listDirectory(home.path());
    const ProcessResult result = run({"--date", "18/05/2026"});
    EXPECT_EQ(result.exitStatus, 1);
    EXPECT_EQ(result.standardOutput, "");
    EXPECT_EQ(result.standardError, "");
    EXPECT_EQ(listDirectory(home.path()), before);
}

// A file as an older run may leave it: no version stamp, a hole, resume dates, keys past the end
// of the list. The program's start would compact and stamp it; this tool must not touch it.
TEST_F(VelorineRappelsTest, NeverWritesCreatesOrLocksAnything) {
    const std::string bytes =
        "[Options]\nRappelFete=1\n[Velorine]\nNom1=\nPren1=\nNom2=Martin\nPren2=Anne\nDate2=05/03/1970\n"
        "Proch2=1 1 2020\nNom4=Roux\n";
    givenDataFile(bytes);
    const std::string listing = listDirectory(dataDirectory);
    const std::string homeListing = listDirectory(home.path());
    struct stat before {};
    ASSERT_EQ(::stat(dataFile.c_str(), &before), 0);
    EXPECT_EQ(run({"--date", "01/03/2026"}).exitStatus, 0);
    EXPECT_NE(run({}).exitStatus, 2);
    EXPECT_EQ(run({"--fichier", dataFile, "--date", "01/10/2026"}).exitStatus, 1);
    EXPECT_EQ(readFile(dataFile), bytes);
    EXPECT_EQ(listDirectory(dataDirectory), listing);
    EXPECT_EQ(listDirectory(home.path()), homeListing);
    struct stat after {};
    ASSERT_EQ(::stat(dataFile.c_str(), &after), 0);
    EXPECT_EQ(after.st_mtim.tv_sec, before.st_mtim.tv_sec);
    EXPECT_EQ(after.st_mtim.tv_nsec, before.st_mtim.tv_nsec);
    EXPECT_EQ(after.st_ino, before.st_ino);
}

TEST_F(VelorineRappelsTest, PrintsItsUsageForAide) {
    const ProcessResult result = run({"--aide"});
    EXPECT_EQ(result.exitStatus, 0);
    EXPECT_TRUE(result.standardOutput.starts_with(
        "Usage : velorine-rappels [--date JJ/MM/AAAA] [--fichier CHEMIN] [--aide]\n"));
    EXPECT_NE(result.standardOutput.find("Code de sortie"), std::string::npos);
    EXPECT_EQ(result.standardError, "");
}

}  // namespace
}  // namespace velorine::tools
