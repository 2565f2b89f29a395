// velorine-contacts end to end: the built binary, run with a home, a configuration and a data
// directory of the test's own.

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <string>
#include <vector>

#include "store/record_store.h"
#include "support/child_process.h"
#include "support/temp_dir.h"

namespace velorine::tools {
namespace {

using testing::ProcessResult;
using testing::readFile;
using testing::TempDir;
using testing::writeFile;

constexpr char kBinary[] = VELORINE_CONTACTS_BINARY;

constexpr char kBook[] =
    "BEGIN:VCARD\r\nVERSION:3.0\r\nN:Roy;Eva;;;\r\nBDAY:1990-05-01\r\nEND:VCARD\r\n"
    "BEGIN:VCARD\r\nVERSION:3.0\r\nN:Blanc;Luc;;;\r\nBDAY:--1224\r\nEND:VCARD\r\n"
    "BEGIN:VCARD\r\nVERSION:3.0\r\nN:Petit;Marc;;;\r\nEND:VCARD\r\n";

class VelorineContactsTest : public ::testing::Test {
protected:
    TempDir home;
    std::string dataFile = home.file("data/velorine/velor.ini");
    std::string book = home.file("carnet.vcf");

    void SetUp() override { writeFile(book, kBook); }

    ProcessResult run(const std::vector<std::string>& arguments) const {
        return testing::runProcess(
            kBinary, arguments,
            {{"HOME", home.path()}, {"XDG_CONFIG_HOME", home.file("config")}, {"XDG_DATA_HOME", home.file("data")}},
            std::chrono::seconds(10));
    }
};

TEST_F(VelorineContactsTest, ImportsIntoTheProgramsOwnListOnceAndSaysWhat) {
    const ProcessResult first = run({"importer", book});
    ASSERT_EQ(first.exitStatus, 0) << first.standardError;
    EXPECT_EQ(first.standardOutput, "Contacts importés de « " + book +
                                        " » :\n"
                                        "  personnes ajoutées à la liste : 2\n"
                                        "  déjà dans la liste : 0\n"
                                        "  cartes sans date de naissance utilisable : 1\n"
                                        "\n"
                                        "Cartes non reprises :\n"
                                        "  Marc Petit : pas de date de naissance\n");
    EXPECT_EQ(testing::fileMode(home.file("data/velorine")) & 0777, 0700u);
    const auto records = store::RecordStore(dataFile).readAll();
    ASSERT_EQ(records.size(), 2u);
    EXPECT_EQ(records[1], (store::BirthdayRecord{"Blanc", "Luc", "24/12/1604", "", ""}));
    const ProcessResult again = run({"importer", book});
    EXPECT_EQ(again.exitStatus, 0);
    EXPECT_NE(again.standardOutput.find("déjà dans la liste : 2\n"), std::string::npos);
    EXPECT_EQ(store::RecordStore(dataFile).readAll().size(), 2u);
}

// The imported birthday without a year reaches the terminal's reminders without an age.
TEST_F(VelorineContactsTest, AnImportedBirthdayWithoutAYearIsRemindedWithoutAnAge) {
    ASSERT_EQ(run({"importer", book}).exitStatus, 0);
    const ProcessResult reminded = testing::runProcess(
        VELORINE_RAPPELS_BINARY, {"--date", "22/12/2026"},
        {{"HOME", home.path()}, {"XDG_CONFIG_HOME", home.file("config")}, {"XDG_DATA_HOME", home.file("data")}},
        std::chrono::seconds(10));
    EXPECT_EQ(reminded.exitStatus, 0) << reminded.standardError;
    EXPECT_EQ(reminded.standardOutput, "Luc Blanc fêtera son anniversaire le 24/12/2026 (dans 2 jours)\n");
}

TEST_F(VelorineContactsTest, ExportsTheListNamedWithItsNameDays) {
    const std::string list = home.file("liste.ini");
    writeFile(list,
              "[Velorine]\r\nNom1=Roy\r\nPren1=Eva\r\nDate1=01/05/1990\r\nNom2=Blanc\r\nPren2=Luc\r\n"
              "Date2=24/12/1604\r\n");
    const std::string calendar = home.file("agenda.ics");
    const ProcessResult result = run({"exporter", calendar, "--fetes", "--fichier=" + list});
    ASSERT_EQ(result.exitStatus, 0) << result.standardError;
    EXPECT_TRUE(result.standardOutput.starts_with("Agenda « " + calendar + " » écrit : 2 anniversaires, "))
        << result.standardOutput;
    const std::string text = readFile(calendar);
    EXPECT_NE(text.find("SUMMARY:Anniversaire de Luc Blanc\r\n"), std::string::npos);
    EXPECT_NE(text.find("SUMMARY:Fête d'Eva Roy\r\n"), std::string::npos);
}

TEST_F(VelorineContactsTest, RefusesBadLinesAndBadFilesWithoutWritingAnything) {
    writeFile(home.file("junk.vcf"), std::string("\x7F"
                                                 "ELF\0\0\x01",
                                                 7));
    const struct {
        std::vector<std::string> arguments;
        std::string message;
    } cases[] = {
        {{}, "il manque l'action : importer, exporter ou synchroniser"},
        {{"fusionner", book}, "action inconnue « fusionner »"},
        {{"importer"}, "il manque le fichier de contacts à importer"},
        {{"importer", book, "--fetes"}, "option inconnue « --fetes » pour importer"},
        {{"exporter", "a.ics", "b.ics"}, "argument inattendu « b.ics »"},
        {{"exporter", "a.ics", "--fichier"}, "l'option --fichier attend le chemin"},
        {{"importer", home.file("junk.vcf")}, "il contient des données binaires"},
        {{"importer", home.path()}, "c'est un dossier, pas un fichier"},
        {{"exporter", home.file("a.ics"), "--fichier", home.file("absente.ini")}, "fichier introuvable"},
        {{"exporter", home.file("absent/a.ics")}, "son dossier n'existe pas"},
        // A path a script built may hold what a terminal obeys: it is echoed harmless.
        {{"importer", "/x/\x1B]0;PWNED\a.vcf"}, "/x/\uFFFD]0;PWNED\uFFFD.vcf"},
        {{"exporter", "/x/\x1B[2J/a.ics"}, "« /x/\uFFFD[2J/a.ics »"},
    };
    for (const auto& c : cases) {
        const ProcessResult result = run(c.arguments);
        EXPECT_EQ(result.exitStatus, 2) << c.message;
        EXPECT_EQ(result.standardOutput, "") << c.message;
        EXPECT_TRUE(result.standardError.starts_with("velorine-contacts : ")) << result.standardError;
        EXPECT_NE(result.standardError.find(c.message), std::string::npos) << result.standardError;
    }
    EXPECT_EQ(testing::listDirectory(home.path()), "carnet.vcf junk.vcf ");
}

TEST_F(VelorineContactsTest, PrintsItsUsage) {
    const ProcessResult result = run({"--aide"});
    EXPECT_EQ(result.exitStatus, 0);
    EXPECT_TRUE(result.standardOutput.starts_with("Usage : velorine-contacts importer FICHIER.vcf"));
}

}  // namespace
}  // namespace velorine::tools
