// Address books as phones and mail programs write them, read into records: names, addresses,
// e-mails and birth dates, the cards refused and why, and the files refused whole.

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <string>
#include <vector>

#include "contacts/vcard_reader.h"
#include "store/cp1252.h"
#include "support/temp_dir.h"

namespace velorine::contacts {
namespace {

using testing::readFile;
using testing::TempDir;
using testing::writeFile;

// A record in UTF-8, for readable expectations.
struct Person {
    std::string surname, firstName, birthDate, address, email;
    friend bool operator==(const Person&, const Person&) = default;
    friend std::ostream& operator<<(std::ostream& out, const Person& p) {
        return out << p.firstName << " / " << p.surname << " / " << p.birthDate << " / " << p.address << " / "
                   << p.email;
    }
};

Person personOf(const ContactCard& card) {
    const store::BirthdayRecord& r = card.record;
    return {store::cp1252ToUtf8(r.surname), store::cp1252ToUtf8(r.firstName), r.birthDate,
            store::cp1252ToUtf8(r.address), store::cp1252ToUtf8(r.email)};
}

VcardBook bookOf(const std::string& bytes) {
    VcardReading reading = readVcards(bytes);
    EXPECT_TRUE(reading.book) << reading.error;
    return reading.book ? std::move(*reading.book) : VcardBook{};
}

VcardBook corpus(const std::string& name) { return bookOf(readFile(std::string(VELORINE_VCARD_CORPUS) + "/" + name)); }

std::string card(const std::string& lines) { return "BEGIN:VCARD\r\nVERSION:3.0\r\n" + lines + "END:VCARD\r\n"; }

TEST(VcardReader, ReadsAPhonesQuotedPrintableExport) {
    const VcardBook book = corpus("phone_21.vcf");
    ASSERT_EQ(book.cards.size(), 3u);
    EXPECT_EQ(personOf(book.cards[0]), (Person{"Lefèvre", "Hélène", "14/07/1985", "", "helene@example.fr"}));
    EXPECT_FALSE(book.cards[0].changed);
    // Split by a soft line break, and outside Windows-1252: base letters, and the card says so.
    EXPECT_EQ(personOf(book.cards[1]), (Person{"Walesa", "Lukasz", "03/02/1970", "", ""}));
    EXPECT_TRUE(book.cards[1].changed);
    EXPECT_EQ(book.cards[1].label, "Łukasz Wałęsa");
    // Latin-1 bytes, quoted-printable or not; a time part after the date.
    EXPECT_EQ(personOf(book.cards[2]),
              (Person{"Noël", "Françoise", "25/12/1962", "3 place de l'Église, 35000 Rennes", ""}));
    ASSERT_EQ(book.refused.size(), 1u);
    EXPECT_EQ(book.refused[0].label, "Paul Martin");
    EXPECT_EQ(book.refused[0].reason, "pas de date de naissance");
    EXPECT_EQ(book.refused[0].kind, RefusalKind::NoBirthday);
}

TEST(VcardReader, ReadsAMailProgramsGroupsPreferencesAndEscapes) {
    const VcardBook book = corpus("mail_30.vcf");
    ASSERT_EQ(book.cards.size(), 3u);
    EXPECT_EQ(personOf(book.cards[0]), (Person{"Dupont", "Jean-Pierre", "10/03/1975",
                                               "12 rue des Lilas, Bâtiment B, 69003 Lyon", "jp@maison.example"}));
    EXPECT_EQ(personOf(book.cards[1]), (Person{"Stefanescu", "Ioana", "30/11/1604", "", ""}));
    EXPECT_TRUE(book.cards[1].changed);
    // "\," "\;" "\\" inside the components; a BDAY folded in the middle.
    EXPECT_EQ(personOf(book.cards[2]), (Person{"O,Brien;", "Se\\án", "05/01/1990", "", ""}));
    ASSERT_EQ(book.refused.size(), 1u);
    EXPECT_EQ(book.refused[0].label, "王小明");
    EXPECT_EQ(book.refused[0].kind, RefusalKind::Name);
    EXPECT_EQ(book.refused[0].reason, "le nom contient « 王 », un caractère que Velorine ne peut pas enregistrer");
}

TEST(VcardReader, ReadsVersionFourDatesWithoutAYearPastAFoldedPhoto) {
    const VcardBook book = corpus("book_40.vcf");
    ASSERT_EQ(book.cards.size(), 2u);
    EXPECT_EQ(personOf(book.cards[0]), (Person{"Roux", "Zoé", "29/02/1604", "", "zoe@prefere.example"}));
    // No N: the last word of FN is the surname.
    EXPECT_EQ(personOf(book.cards[1]), (Person{"Anne", "", "15/06/1604", "", ""}));
    ASSERT_EQ(book.refused.size(), 2u);
    EXPECT_EQ(book.refused[0].reason, "date de naissance écrite en toutes lettres « vers 1950 »");
    EXPECT_EQ(book.refused[1].reason, "date de naissance qui n'existe pas « 2001-02-29 »");
}

TEST(VcardReader, ReadsEveryFormOfBirthDate) {
    const struct {
        const char* bday;
        const char* birthDate;  // nullptr: refused with `reason`
        const char* reason;
    } cases[] = {
        {"BDAY:19531015", "15/10/1953", nullptr},
        {"BDAY:1953-10-15", "15/10/1953", nullptr},
        {"BDAY:19531015T231000Z", "15/10/1953", nullptr},
        {"BDAY:1953-10-15T23:10:00+02:00", "15/10/1953", nullptr},
        {"BDAY;VALUE=DATE:1953-10-15", "15/10/1953", nullptr},
        {"BDAY:--1015", "15/10/1604", nullptr},
        {"BDAY:--10-15", "15/10/1604", nullptr},
        {"BDAY;X-APPLE-OMIT-YEAR=1604:1604-10-15", "15/10/1604", nullptr},
        {"bday;x-apple-omit-year=1604:1604-10-15", "15/10/1604", nullptr},
        {"BDAY;X-APPLE-OMIT-YEAR=1604:1980-10-15", "15/10/1980", nullptr},
        {"BDAY:2000-02-29", "29/02/2000", nullptr},
        {"BDAY:--0229", "29/02/1604", nullptr},
        {"BDAY:1900-02-29", nullptr, "date de naissance qui n'existe pas « 1900-02-29 »"},
        {"BDAY:1990-04-31", nullptr, "date de naissance qui n'existe pas « 1990-04-31 »"},
        {"BDAY:1990-13-01", nullptr, "date de naissance qui n'existe pas « 1990-13-01 »"},
        {"BDAY:0000-01-01", nullptr, "date de naissance qui n'existe pas « 0000-01-01 »"},
        {"BDAY:", nullptr, "date de naissance vide"},
        {"BDAY;VALUE=text:circa 1800", nullptr, "date de naissance écrite en toutes lettres « circa 1800 »"},
        {"BDAY:15/10/1953", nullptr, "date de naissance illisible « 15/10/1953 »"},
        {"BDAY:1953-1015", nullptr, "date de naissance illisible « 1953-1015 »"},
        {"BDAY:1953-10", nullptr, "date de naissance illisible « 1953-10 »"},
        {"BDAY:---15", nullptr, "date de naissance illisible « ---15 »"},
        {"BDAY:19531015abc", nullptr, "date de naissance illisible « 19531015abc »"},
    };
    for (const auto& c : cases) {
        const VcardBook book = bookOf(card("N:Roy;Eva;;;\r\n" + std::string(c.bday) + "\r\n"));
        if (c.birthDate) {
            ASSERT_EQ(book.cards.size(), 1u) << c.bday;
            EXPECT_EQ(book.cards[0].record.birthDate, c.birthDate) << c.bday;
        } else {
            ASSERT_EQ(book.refused.size(), 1u) << c.bday;
            EXPECT_EQ(book.refused[0].reason, c.reason) << c.bday;
            EXPECT_EQ(book.refused[0].kind, RefusalKind::NoBirthday) << c.bday;
        }
    }
}

TEST(VcardReader, TakesTheNameFromNThenFromFn) {
    const struct {
        const char* lines;
        const char* surname;
        const char* firstName;
    } cases[] = {
        {"N:Roy;Eva;Marie;Dr;\r\nFN:Dr Eva Marie Roy\r\n", "Roy", "Eva"},
        {"N:;;;;\r\nFN:Eva Marie Roy\r\n", "Roy", "Eva Marie"},
        {"FN:  Eva   Roy \r\n", "Roy", "Eva"},
        {"N:;Eva;;;\r\nFN:Eva\r\n", "Eva", "Eva"},
        {"N:Roy\r\n", "Roy", ""},
        {"N:Roy;Eva\\nMarie;;;\r\n", "Roy", "Eva Marie"},  // no line break can reach the data file
        {"N:\"Roy\";Eva;;;\r\n", "Roy", "Eva"},            // as the data file reads it back
        {"N:Roy;Zoë\xCC\x81;;;\r\n", "Roy", "Zoë"},        // a combining mark is dropped
    };
    for (const auto& c : cases) {
        const VcardBook book = bookOf(card(std::string(c.lines) + "BDAY:1990-01-01\r\n"));
        ASSERT_EQ(book.cards.size(), 1u) << c.lines;
        const Person got = personOf(book.cards[0]);
        EXPECT_EQ(got.surname, c.surname) << c.lines;
        EXPECT_EQ(got.firstName, c.firstName) << c.lines;
    }
    const VcardBook nameless = bookOf(card("N:;;;;\r\nBDAY:1990-01-01\r\n") + card("FN:\r\nBDAY:1990-01-01\r\n"));
    ASSERT_EQ(nameless.refused.size(), 2u);
    EXPECT_EQ(nameless.refused[0].label, "carte n° 1");
    EXPECT_EQ(nameless.refused[1].reason, "carte sans nom");
}

TEST(VcardReader, KeepsTextsWithinWhatTheDataFileHolds) {
    const std::string longName(300, 'x');
    const VcardBook book = bookOf(card("N:" + longName +
                                       ";Eva;;;\r\nADR:;;Rue ✓;Ville;;1000;\r\nEMAIL:a😀b@c.example\r\n"
                                       "BDAY:1990-01-01\r\n"));
    ASSERT_EQ(book.cards.size(), 1u);
    EXPECT_EQ(book.cards[0].record.surname, std::string(127, 'x'));
    // An address or an e-mail loses a character it cannot keep, and the card says it changed.
    EXPECT_EQ(personOf(book.cards[0]).address, "Rue, 1000 Ville");
    EXPECT_EQ(personOf(book.cards[0]).email, "ab@c.example");
    EXPECT_TRUE(book.cards[0].changed);
}

TEST(VcardReader, ReadsLineEndsFoldsAndCaseAsWritersVary) {
    const std::string variants[] = {
        "BEGIN:VCARD\nN:Roy;Eva;;;\nBDAY:1990-01-01\nEND:VCARD\n",
        "begin:vcard\r\nn:Roy;Eva;;;\r\nbday:1990-01-01\r\nend:vcard",
        "\xEF\xBB\xBF"
        "BEGIN:VCARD\r\nN:R\r\n oy;E\r\n\tva;;;\r\nBDAY:1990-01-01\r\nEND:VCARD\r\n",
        "BEGIN:VCARD\r\n\r\nN:Roy;Eva;;;\r\nX-JUNK\r\nBDAY:1990-01-01\r\nEND:VCARD\r\n\r\n",
        // A 2.1 agent's own card does not take the outer card's place.
        "BEGIN:VCARD\r\nN:Roy;Eva;;;\r\nAGENT:\r\nBEGIN:VCARD\r\nN:Autre;Ami;;;\r\nBDAY:2000-05-05\r\nEND:VCARD\r\n"
        "BDAY:1990-01-01\r\nEND:VCARD\r\n",
    };
    for (const std::string& bytes : variants) {
        const VcardBook book = bookOf(bytes);
        ASSERT_EQ(book.cards.size(), 1u) << bytes;
        EXPECT_EQ(personOf(book.cards[0]), (Person{"Roy", "Eva", "01/01/1990", "", ""})) << bytes;
    }
}

TEST(VcardReader, RefusesFilesThatAreNoAddressBook) {
    const struct {
        std::string bytes;
        std::string error;
    } cases[] = {
        {"", "ce n'est pas un fichier de contacts vCard"},
        {"[Velorine]\r\nNom1=Roy\r\n", "ce n'est pas un fichier de contacts vCard"},
        {std::string("BEGIN:VCARD\r\nN:Roy\0\x01\x02;;;\r\nEND:VCARD\r\n", 34),
         "il contient des données binaires : ce n'est pas un fichier de contacts vCard"},
        {"\x89PNG\r\n\x1A\n\xFF\xFE", "ce n'est pas un fichier de contacts vCard"},
        {card("N:Roy;Eva;;;\r\nBDAY:1990-01-01\r\n") + "BEGIN:VCARD\r\nN:Roy;Luc;;;\r\nBDAY:1990-",
         "la carte n° 2 est incomplète (sa fin END:VCARD manque) : le fichier a sans doute été tronqué"},
    };
    for (const auto& c : cases) {
        const VcardReading reading = readVcards(c.bytes);
        EXPECT_FALSE(reading.book) << c.bytes;
        EXPECT_EQ(reading.error, c.error) << c.bytes;
    }
}

TEST(VcardReader, RefusesWhatIsNoReadableFile) {
    TempDir dir;
    const std::string fifo = dir.file("tube.vcf");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    const std::string huge = dir.file("huge.vcf");
    writeFile(huge, "");
    ASSERT_EQ(::truncate(huge.c_str(), static_cast<off_t>(kLargestVcardFile) + 1), 0);
    const struct {
        std::string path;
        std::string error;
    } cases[] = {
        {dir.file("absent.vcf"), "fichier introuvable"},
        {dir.path(), "c'est un dossier, pas un fichier"},
        {fifo, "ce n'est pas un fichier ordinaire"},
        {huge, "il dépasse 32 Mio, bien plus que n'importe quel carnet d'adresses"},
    };
    for (const auto& c : cases) {
        const VcardReading reading = readVcardFile(c.path);
        EXPECT_FALSE(reading.book) << c.path;
        EXPECT_EQ(reading.error, c.error) << c.path;
    }
}

}  // namespace
}  // namespace velorine::contacts
