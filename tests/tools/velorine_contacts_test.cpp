// velorine-contacts end to end: the built binary, run with a home, a configuration and a data
// directory of the test's own.

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <filesystem>
#include <string>
#include <vector>

#include "store/data_file.h"
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
    // The program's own list, its folder made as the program would.
    void writeList(const std::string& bytes) const {
        std::filesystem::create_directories(home.file("data/velorine"));
        writeFile(dataFile, bytes);
    }

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

// An export writes a calendar where nothing but a calendar can be lost: never over a list.
TEST_F(VelorineContactsTest, AnExportNeverReplacesAList) {
    const std::string list = "[Controle]\r\nVersion=2.0\r\n[Velorine]\r\nNom1=Roy\r\nPren1=Eva\r\nDate1=01/05/1990\r\n";
    writeList(list);
    const std::string copy = home.file("copie.txt");
    const std::string other = home.file("notes.txt");
    writeFile(copy, list);
    writeFile(other, "à faire\n");
    const struct {
        std::vector<std::string> arguments;
        std::string file;
        std::string message;
    } cases[] = {
        {{"exporter", dataFile}, dataFile, "est un fichier de la liste de Velorine"},
        {{"exporter", copy, "--fichier", copy}, copy, "est un fichier de la liste de Velorine"},
        {{"exporter", copy}, copy, "est une liste de Velorine, elle ne sera pas remplacée"},
        {{"exporter", other}, other, "n'est pas un agenda, il ne sera pas remplacé"},
        {{"exporter", home.file("data/velorine/velor.ouv")},
         home.file("data/velorine/velor.ouv"),
         "est un fichier de la liste de Velorine"},
    };
    for (const auto& c : cases) {
        const std::string before = readFile(c.file);
        const ProcessResult result = run(c.arguments);
        EXPECT_EQ(result.exitStatus, 2) << c.file;
        EXPECT_NE(result.standardError.find(c.message), std::string::npos) << result.standardError;
        EXPECT_NE(result.standardError.find("Rien n'a été écrit."), std::string::npos) << result.standardError;
        EXPECT_EQ(readFile(c.file), before) << c.file;
    }
    EXPECT_FALSE(testing::fileExists(home.file("data/velorine/velor.ouv")));
    // An empty file, and a calendar exported before, are written.
    const std::string empty = home.file("vide.ics");
    writeFile(empty, "");
    for (int round = 0; round < 2; ++round) {
        const ProcessResult result = run({"exporter", empty});
        EXPECT_EQ(result.exitStatus, 0) << result.standardError;
        EXPECT_TRUE(readFile(empty).starts_with("BEGIN:VCALENDAR\r\n"));
    }
}

TEST_F(VelorineContactsTest, ExportsAlarmsAtTheRemindersHorizonUnlessTold) {
    writeList("[Velorine]\r\nNom1=Roy\r\nPren1=Eva\r\nDate1=01/05/1990\r\n[Rappel]\r\nJours=3\r\n");
    const std::string calendar = home.file("agenda.ics");
    const struct {
        std::vector<std::string> options;
        std::string trigger;  // empty: no alarm
        std::string said;
    } cases[] = {
        {{}, "TRIGGER:-P2DT15H\r\n", ", avec une alarme 3 jours avant.\n"},
        {{"--alarme", "1"}, "TRIGGER:-PT15H\r\n", ", avec une alarme 1 jour avant.\n"},
        {{"--alarme=14"}, "TRIGGER:-P13DT15H\r\n", ", avec une alarme 14 jours avant.\n"},
        {{"--alarme", "0"}, "", "1 anniversaire.\n"},
    };
    for (const auto& c : cases) {
        std::vector<std::string> arguments = {"exporter", calendar};
        arguments.insert(arguments.end(), c.options.begin(), c.options.end());
        const ProcessResult result = run(arguments);
        ASSERT_EQ(result.exitStatus, 0) << result.standardError;
        EXPECT_TRUE(result.standardOutput.ends_with(c.said)) << result.standardOutput;
        const std::string text = readFile(calendar);
        EXPECT_EQ(text.find("BEGIN:VALARM") != std::string::npos, !c.trigger.empty());
        if (!c.trigger.empty()) {
            EXPECT_NE(text.find(c.trigger), std::string::npos) << text;
        }
    }
    for (const char* wrong : {"366", "-1", "trois", ""}) {
        const ProcessResult result = run({"exporter", calendar, "--alarme", wrong});
        EXPECT_EQ(result.exitStatus, 2) << wrong;
        EXPECT_NE(result.standardError.find("l'option --alarme attend un nombre de jours de 0 à 365"),
                  std::string::npos);
    }
}

TEST_F(VelorineContactsTest, AnImportBringsAKeptCalendarUpToDate) {
    writeList("[Agenda]\r\nAJour=1\r\n");
    const std::string calendar = home.file("data/velorine/anniversaires.ics");
    const ProcessResult imported = run({"importer", book});
    ASSERT_EQ(imported.exitStatus, 0) << imported.standardError;
    EXPECT_TRUE(imported.standardOutput.ends_with("\nAgenda « " + calendar + " » mis à jour.\n"))
        << imported.standardOutput;
    const std::string text = readFile(calendar);
    EXPECT_NE(text.find("SUMMARY:Anniversaire d'Eva Roy (1990)\r\n"), std::string::npos);
    EXPECT_NE(text.find("SUMMARY:Anniversaire de Luc Blanc\r\n"), std::string::npos);
    // Nobody new: the calendar is left as it is.
    const unsigned long inode = testing::fileInode(calendar);
    const ProcessResult again = run({"importer", book});
    EXPECT_EQ(again.exitStatus, 0);
    EXPECT_EQ(again.standardOutput.find("mis à jour"), std::string::npos);
    EXPECT_EQ(testing::fileInode(calendar), inode);
    // A calendar that cannot be written is said, and the import still holds.
    ASSERT_TRUE(store::writeValue(dataFile, "Agenda", "Fichier", home.file("absent/a.ics")));
    writeFile(book, kBook + std::string("BEGIN:VCARD\r\nN:Neuf;Paul;;;\r\nBDAY:2000-01-01\r\nEND:VCARD\r\n"));
    const ProcessResult failed = run({"importer", book});
    EXPECT_EQ(failed.exitStatus, 2);
    EXPECT_NE(failed.standardOutput.find("personnes ajoutées à la liste : 1"), std::string::npos);
    EXPECT_NE(
        failed.standardError.find("n'a pas pu être mis à jour : un élément du chemin n'est pas un dossier, ou son "
                                  "dossier n'existe pas"),
        std::string::npos)
        << failed.standardError;
}

TEST_F(VelorineContactsTest, PrintsItsUsage) {
    const ProcessResult result = run({"--aide"});
    EXPECT_EQ(result.exitStatus, 0);
    EXPECT_TRUE(result.standardOutput.starts_with("Usage : velorine-contacts importer FICHIER.vcf"));
}

}  // namespace
}  // namespace velorine::tools
