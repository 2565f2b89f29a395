// Cards added to a data file: holes first, no one twice, one commit, and the summary the user reads.

#include <gtest/gtest.h>

#include <sys/stat.h>

#include "contacts/contact_import.h"
#include "contacts/import_summary.h"
#include "store/cp1252.h"
#include "store/record_store.h"
#include "support/temp_dir.h"

namespace velorine::contacts {
namespace {

using testing::readFile;
using testing::TempDir;
using testing::writeFile;

ContactCard cardOf(std::string surname, std::string firstName, std::string birthDate) {
    return {firstName + " " + surname, {std::move(surname), std::move(firstName), std::move(birthDate), "", ""}, false};
}

class ContactImportTest : public ::testing::Test {
protected:
    TempDir dir;
    std::string file = dir.file("velor.ini");
    store::RecordStore records{file};
};

TEST_F(ContactImportTest, FillsHolesFirstThenAppends) {
    writeFile(file,
              "[Velorine]\r\nNom1=Roy\r\nPren1=Eva\r\nDate1=01/01/1990\r\nNom2=\r\nNom3=Blanc\r\nPren3=Luc\r\n"
              "Date3=02/02/1980\r\nProch2=1 1 2100\r\n");
    const ImportOutcome outcome =
        importCards(file, {cardOf("Petit", "Marc", "03/03/1970"), cardOf("Morel", "Zoé", "04/04/2004")});
    EXPECT_TRUE(outcome.stored);
    EXPECT_EQ(outcome.added, 2);
    const auto all = records.readAll();
    ASSERT_EQ(all.size(), 4u);
    EXPECT_EQ(all[1].surname, "Petit");  // into the hole, without its old resume date
    EXPECT_EQ(all[3].surname, "Morel");
    EXPECT_EQ(readFile(file).find("Proch2=1 1 2100"), std::string::npos);
}

TEST_F(ContactImportTest, AddsNoOneTwiceWhateverTheCase) {
    writeFile(file, "[Velorine]\r\nNom1=\xC9TIENNE\r\nPren1=\xC9lise\r\nDate1=1/2/1990\r\n");
    const std::vector<ContactCard> cards = {
        cardOf(store::utf8ToCp1252("Étienne").value(), store::utf8ToCp1252("éLISE").value(), "01/02/1990"),
        cardOf("Roy", "Eva", "05/05/1995"), cardOf("ROY", "eva", "05/05/1995"),  // the same person twice in one book
        cardOf("Roy", "Eva", "06/05/1995"),                                      // another birth date: another person
    };
    const ImportOutcome first = importCards(file, cards);
    EXPECT_EQ(first.added, 2);
    EXPECT_EQ(first.alreadyThere, 2);
    const std::string afterFirst = readFile(file);
    const ImportOutcome again = importCards(file, cards);
    EXPECT_TRUE(again.stored);
    EXPECT_EQ(again.added, 0);
    EXPECT_EQ(again.alreadyThere, 4);
    EXPECT_EQ(readFile(file), afterFirst);
}

TEST_F(ContactImportTest, LeavesTheFileAsItWasWhenItCannotBeWritten) {
    const std::string before = "[Velorine]\r\nNom1=Roy\r\nPren1=Eva\r\nDate1=01/01/1990\r\n";
    writeFile(file, before);
    ASSERT_EQ(::chmod(file.c_str(), 0400), 0);
    const ImportOutcome outcome = importCards(file, {cardOf("Petit", "Marc", "03/03/1970")});
    EXPECT_FALSE(outcome.stored);
    EXPECT_EQ(outcome.failure, store::Failure::ReadOnlyFile);
    EXPECT_EQ(outcome.added, 0);
    EXPECT_EQ(readFile(file), before);
}

TEST(ImportSummary, CountsAndNamesEveryCardNotTakenAsItWas) {
    VcardBook book;
    book.cards = {cardOf("Roy", "Eva", "01/01/1990"), cardOf("Walesa", "Lukasz", "03/02/1970")};
    book.cards[1].label = "Łukasz Wałęsa";
    book.cards[1].changed = true;
    book.refused = {
        {"Paul Martin", "pas de date de naissance", RefusalKind::NoBirthday},
        {"王小明", "le nom contient « 王 », un caractère que Velorine ne peut pas enregistrer", RefusalKind::Name},
        {"carte n° 7", "texte illisible dans le jeu de caractères annoncé « X-INCONNU »", RefusalKind::Letters}};
    const ImportOutcome outcome{true, store::Failure::None, 1, 1};
    EXPECT_EQ(importSummary("carnet.vcf", book, outcome),
              "Contacts importés de « carnet.vcf » :\n"
              "  personnes ajoutées à la liste : 1\n"
              "  déjà dans la liste : 1\n"
              "  cartes sans date de naissance utilisable : 1\n"
              "  cartes refusées pour leur nom : 1\n"
              "  cartes illisibles dans leur jeu de caractères : 1\n"
              "\n"
              "Textes adaptés aux lettres de Velorine :\n"
              "  Łukasz Wałęsa → Lukasz Walesa\n"
              "\n"
              "Cartes non reprises :\n"
              "  Paul Martin : pas de date de naissance\n"
              "  王小明 : le nom contient « 王 », un caractère que Velorine ne peut pas enregistrer\n"
              "  carte n° 7 : texte illisible dans le jeu de caractères annoncé « X-INCONNU »\n");
    book.refused.pop_back();
    book.refused.pop_back();
    book.cards[1].changed = false;
    EXPECT_EQ(importSummary("a.vcf", book, outcome).find("refusées pour leur nom"), std::string::npos);
    EXPECT_EQ(importSummary("a.vcf", book, outcome).find("adaptés"), std::string::npos);
}

}  // namespace
}  // namespace velorine::contacts
