// Address books as phones and mail programs write them, read into records: names, addresses,
// e-mails and birth dates, the cards refused and why, and the files refused whole.

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <optional>
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

// The day the tests run on: a birth after it is refused.
constexpr store::CalendarDate kToday{6, 12, 2026};

VcardBook bookOf(const std::string& bytes) {
    VcardReading reading = readVcards(bytes, kToday);
    EXPECT_TRUE(reading.book) << reading.error;
    return reading.book ? std::move(*reading.book) : VcardBook{};
}

VcardBook corpus(const std::string& name) { return bookOf(readFile(std::string(VELORINE_VCARD_CORPUS) + "/" + name)); }

std::string card(const std::string& lines) { return "BEGIN:VCARD\r\nVERSION:3.0\r\n" + lines + "END:VCARD\r\n"; }

// The local time of the test is Paris's while it lives.
class ParisTime {
public:
    ParisTime() {
        if (const char* zone = std::getenv("TZ")) saved_ = zone;
        ::setenv("TZ", "Europe/Paris", 1);
        ::tzset();
    }
    ~ParisTime() {
        if (saved_)
            ::setenv("TZ", saved_->c_str(), 1);
        else
            ::unsetenv("TZ");
        ::tzset();
    }

private:
    std::optional<std::string> saved_;
};

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
        {"BDAY:19531015T231000Z", "16/10/1953", nullptr},
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
        // A year before 1604 is a placeholder: a birthday without a year.
        {"BDAY:0001-01-01", "01/01/1604", nullptr},
        {"BDAY:0000-02-29", "29/02/1604", nullptr},
        {"BDAY:1603-12-31", "31/12/1604", nullptr},
        // Local midnight kept in UTC is the local day (Paris, summer time); other times keep their date.
        {"BDAY:1985-04-11T22:00:00Z", "12/04/1985", nullptr},
        {"BDAY:19850411T220000Z", "12/04/1985", nullptr},
        {"BDAY:1985-01-11T23:30Z", "12/01/1985", nullptr},
        {"BDAY:1985-04-11T12:00:00Z", "11/04/1985", nullptr},
        {"BDAY:1985-04-11T22:00:00", "11/04/1985", nullptr},
        {"BDAY:2026-12-06", "06/12/2026", nullptr},
        {"BDAY:2026-12-07", nullptr, "date de naissance dans l'avenir « 2026-12-07 »"},
        {"BDAY:2999-01-01", nullptr, "date de naissance dans l'avenir « 2999-01-01 »"},
        {"BDAY:--1231", "31/12/1604", nullptr},
        // vCard 4.0 gives the same birthday twice: the first that is a date counts.
        {"BDAY;VALUE=text;ALTID=1;LANGUAGE=fr:vers 1950\r\nBDAY;ALTID=1:19500102", "02/01/1950", nullptr},
        {"BDAY;VALUE=text:jamais\r\nBDAY:hier", nullptr, "date de naissance écrite en toutes lettres « jamais »"},
        {"BDAY:", nullptr, "date de naissance vide"},
        {"BDAY;VALUE=text:circa 1800", nullptr, "date de naissance écrite en toutes lettres « circa 1800 »"},
        {"BDAY:15/10/1953", nullptr, "date de naissance illisible « 15/10/1953 »"},
        {"BDAY:1953-1015", nullptr, "date de naissance illisible « 1953-1015 »"},
        {"BDAY:1953-10", nullptr, "date de naissance illisible « 1953-10 »"},
        {"BDAY:---15", nullptr, "date de naissance illisible « ---15 »"},
        {"BDAY:19531015abc", nullptr, "date de naissance illisible « 19531015abc »"},
    };
    const ParisTime paris;
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
        // No surname in N: the whole name from FN, never the same word twice.
        {"N:;Maman;;;\r\nFN:Maman\r\n", "Maman", ""},
        {"N:;Jean Dupont;;;\r\nFN:Jean Dupont\r\n", "Dupont", "Jean"},
        {"N:;Jean;;;\r\nFN:Jean Dupont\r\n", "Dupont", "Jean"},
        {"N:;Papa;;;\r\n", "Papa", ""},
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
    const VcardBook nameless =
        bookOf(card("N:;;;;\r\nBDAY:1990-01-01\r\n") + card("FN:\r\nBDAY:1990-01-01\r\n") + card("N:;;;;\r\n"));
    ASSERT_EQ(nameless.refused.size(), 3u);
    EXPECT_EQ(nameless.refused[0].label, "carte n° 1");
    EXPECT_EQ(nameless.refused[1].reason, "carte sans nom");
    EXPECT_EQ(nameless.refused[1].kind, RefusalKind::Name);
    // Neither a name nor a birthday: a card without a birthday.
    EXPECT_EQ(nameless.refused[2].reason, "pas de date de naissance");
    EXPECT_EQ(nameless.refused[2].kind, RefusalKind::NoBirthday);
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
        const VcardReading reading = readVcards(c.bytes, kToday);
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
        const VcardReading reading = readVcardFile(c.path, kToday);
        EXPECT_FALSE(reading.book) << c.path;
        EXPECT_EQ(reading.error, c.error) << c.path;
    }
}

TEST(VcardReader, ComposesThenFoldsLettersWindows1252Lacks) {
    const struct {
        const char* name;  // N's family name, UTF-8
        const char* stored;
        bool changed;
    } cases[] = {
        {"Zoe\xCC\x81", "Zoé", false},               // a decomposed accent is composed first
        {"Nguye\xCC\x82\xCC\x83n", "Nguyen", true},  // decomposed, and outside Windows-1252 once composed
        {"Nguyễn", "Nguyen", true},                  // Latin Extended Additional
        {"Trần", "Tran", true},
        {"Ǆurić", "DŽuric", true},  // a compatibility decomposition
        {"ﬁfi", "fifi", true},
        {"Łódź", "Lódz", true},  // a stroke, which Unicode does not decompose
        {"Ōsaka", "Osaka", true},
        {"Ｏｔａ", "Ota", true},  // full-width letters
    };
    for (const auto& c : cases) {
        const VcardBook book = bookOf(card("N:" + std::string(c.name) + ";Eva;;;\r\nBDAY:1990-01-01\r\n"));
        ASSERT_EQ(book.cards.size(), 1u) << c.name;
        EXPECT_EQ(personOf(book.cards[0]).surname, c.stored) << c.name;
        EXPECT_EQ(book.cards[0].changed, c.changed) << c.name;
    }
    const VcardBook greek = bookOf(card("N:Παπαδόπουλος;Eva;;;\r\nBDAY:1990-01-01\r\n"));
    ASSERT_EQ(greek.refused.size(), 1u);
    EXPECT_EQ(greek.refused[0].kind, RefusalKind::Name);
}

TEST(VcardReader, ConvertsEveryCharacterSetOrRefusesTheCard) {
    const struct {
        std::string nLine;
        const char* surname;  // nullptr: refused with `reason`
        const char* reason;
    } cases[] = {
        // Labelled Latin-1, meant as Windows-1252 by the mail programs that write it.
        {"N;CHARSET=ISO-8859-1:C\x9Cur;Eva;;;", "Cœur", nullptr},
        {"N;CHARSET=iso-8859-1;ENCODING=QUOTED-PRINTABLE:=80uro;Eva;;;", "€uro", nullptr},
        {"N;CHARSET=ISO-8859-15:\xBD\xA4;Eva;;;", "œ€", nullptr},
        {"N;CHARSET=WINDOWS-1250:\x8Ar\xF9tek;Eva;;;", "Šrutek", nullptr},
        {"N;CHARSET=UTF-8:Gr\xC3\xBC\xC3\x9F;Eva;;;", "Grüß", nullptr},
        // Another script, converted right, then refused for its letters: never stored as mojibake.
        {"N;CHARSET=KOI8-R:\xF0\xD5\xDB\xCB\xC9\xCE;Eva;;;", nullptr,
         "le nom contient « П », un caractère que Velorine ne peut pas enregistrer"},
        {"N;CHARSET=WINDOWS-1251:\xCF\xF3\xF8\xEA\xE8\xED;Eva;;;", nullptr,
         "le nom contient « П », un caractère que Velorine ne peut pas enregistrer"},
        {"N;CHARSET=X-INCONNU:Roy;Eva;;;", nullptr, "texte illisible dans le jeu de caractères annoncé « X-INCONNU »"},
        {"N;CHARSET=SHIFT_JIS:\x82;Eva;;;", nullptr, "texte illisible dans le jeu de caractères annoncé « SHIFT_JIS »"},
    };
    for (const auto& c : cases) {
        const VcardBook book = bookOf(card(c.nLine + "\r\nBDAY:1990-01-01\r\n"));
        if (c.surname) {
            ASSERT_EQ(book.cards.size(), 1u) << c.nLine;
            EXPECT_EQ(personOf(book.cards[0]).surname, c.surname) << c.nLine;
        } else {
            ASSERT_EQ(book.refused.size(), 1u) << c.nLine;
            EXPECT_EQ(book.refused[0].reason, c.reason) << c.nLine;
        }
    }
}

TEST(VcardReader, ReadsFilesAsTheyCameThroughOtherSystems) {
    const std::string plain = card("N:Roy;Éva;;;\r\nBDAY:1990-01-01\r\n");
    std::string crcrlf;  // a phone's export that passed through Windows twice
    for (const char c : plain) {
        if (c == '\n') crcrlf += '\r';
        crcrlf += c;
    }
    const auto utf16 = [&plain](bool bigEndian) {
        std::string bytes = bigEndian ? "\xFE\xFF" : "\xFF\xFE";
        // `plain` is ASCII but for "É" (U+00C9).
        for (std::size_t i = 0; i < plain.size(); ++i) {
            char16_t unit = static_cast<unsigned char>(plain[i]);
            if (plain.compare(i, 2, "\xC3\x89") == 0) unit = 0xC9, ++i;
            bytes += bigEndian ? static_cast<char>(unit >> 8) : static_cast<char>(unit & 0xFF);
            bytes += bigEndian ? static_cast<char>(unit & 0xFF) : static_cast<char>(unit >> 8);
        }
        return bytes;
    };
    const std::string variants[] = {crcrlf, utf16(false), utf16(true), plain + std::string(512, '\0')};
    for (const std::string& bytes : variants) {
        const VcardBook book = bookOf(bytes);
        ASSERT_EQ(book.cards.size(), 1u);
        EXPECT_EQ(personOf(book.cards[0]), (Person{"Roy", "Éva", "01/01/1990", "", ""}));
    }
    // A NUL before the end is still binary.
    EXPECT_FALSE(readVcards(std::string("BEGIN:VCARD\r\n\0N:Roy\r\nEND:VCARD\r\n", 31), kToday).book);
}

// Folded heads and values of any length are read in time linear in the file's size: files under
// the size limit used to take minutes.
TEST(VcardReader, ReadsHostileFoldingInLinearTime) {
    const auto folded = [](std::string head, const std::string& piece, int count) {
        for (int i = 0; i < count; ++i) head += "\r\n " + piece;
        return head;
    };
    const std::string hostile[] = {
        folded("X-P;A=", "AAAAAAAAAAAAAAAAAAAAAAAA=", 200000) + "\r\n :x",  // a 5 MB parameter part
        folded("NOTE;ENCODING=QUOTED-PRINTABLE:", "AAAAAAAAAAAAAAAAAAAAAAAAA=", 200000) + "\r\nA",
        folded("PHOTO;ENCODING=b:", "AAAAAAAAAAAAAAAAAAAAAAAAA", 200000),
    };
    for (const std::string& line : hostile) {
        const auto start = std::chrono::steady_clock::now();
        const VcardBook book = bookOf(card("N:Roy;Eva;;;\r\n" + line + "\r\nBDAY:1990-01-01\r\n"));
        const auto took = std::chrono::steady_clock::now() - start;
        EXPECT_EQ(book.cards.size(), 1u);
        EXPECT_LT(took, std::chrono::seconds(3)) << line.substr(0, 40);
    }
}

}  // namespace
}  // namespace velorine::contacts
