#include "address_book_generator.h"

#include <array>
#include <cstdio>
#include <random>

namespace velorine::bench {
namespace {

constexpr std::array<const char*, 12> kSurnames = {"Martin", "Bernard", "Dubois", "Lefèvre", "Petit", "Durand",
                                                   "Moreau", "Girard",  "André",  "Mercier", "Roux",  "Fournier"};
constexpr std::array<const char*, 12> kFirstNames = {"Jean",  "Marie", "Hélène", "Yves",    "François", "Zoé",
                                                     "Agnès", "Noël",  "Céline", "Nicolas", "Ambroise", "Anne"};
// The same first names as 2.1 writes them in quoted-printable UTF-8.
constexpr std::array<const char*, 12> kQuotedFirstNames = {"Jean",          "Marie",    "H=C3=A9l=C3=A8ne", "Yves",
                                                           "Fran=C3=A7ois", "Zo=C3=A9", "Agn=C3=A8s",       "No=C3=ABl",
                                                           "C=C3=A9line",   "Nicolas",  "Ambroise",         "Anne"};

}  // namespace

std::string generateAddressBook(int cards, Birthdays birthdays, unsigned seed) {
    std::mt19937 random(seed);
    std::string out;
    out.reserve(static_cast<std::size_t>(cards) * 260);
    char card[768];
    for (int i = 0; i < cards; ++i) {
        const std::size_t surname = random() % kSurnames.size(), firstName = random() % kFirstNames.size();
        const int day = 1 + static_cast<int>(random() % 28), month = 1 + static_cast<int>(random() % 12);
        const int year = 1930 + static_cast<int>(random() % 90);
        // A serial number in the surname keeps every card a different person.
        const unsigned form = random() % 10;
        switch (birthdays == Birthdays::Always && form == 2 ? 3 : form) {
            case 0:
                std::snprintf(card, sizeof card,
                              "BEGIN:VCARD\r\nVERSION:2.1\r\n"
                              "N;CHARSET=UTF-8;ENCODING=QUOTED-PRINTABLE:%s%d;%s;;;\r\n"
                              "TEL;CELL:+33 6 12 34 %02d %02d\r\nBDAY:%04d%02d%02d\r\nEND:VCARD\r\n",
                              kSurnames[surname], i, kQuotedFirstNames[firstName], day, month, year, month, day);
                break;
            case 1:
                std::snprintf(card, sizeof card,
                              "BEGIN:VCARD\r\nVERSION:4.0\r\nFN:%s %s%d\r\nN:%s%d;%s;;;\r\nBDAY:--%02d%02d\r\n"
                              "EMAIL;TYPE=home:%d@exemple.fr\r\nEND:VCARD\r\n",
                              kFirstNames[firstName], kSurnames[surname], i, kSurnames[surname], i,
                              kFirstNames[firstName], month, day, i);
                break;
            case 2:
                std::snprintf(card, sizeof card,
                              "BEGIN:VCARD\r\nVERSION:3.0\r\nFN:%s %s%d\r\nN:%s%d;%s;;;\r\n"
                              "TEL;TYPE=CELL:+33 6 12 34 %02d %02d\r\nEND:VCARD\r\n",
                              kFirstNames[firstName], kSurnames[surname], i, kSurnames[surname], i,
                              kFirstNames[firstName], day, month);
                break;
            default:
                std::snprintf(card, sizeof card,
                              "BEGIN:VCARD\r\nVERSION:3.0\r\nPRODID:-//Carnet//FR\r\nN:%s%d;%s;;;\r\n"
                              "FN:%s %s%d\r\nitem1.EMAIL;type=INTERNET:%d@travail.fr\r\n"
                              "item2.EMAIL;type=INTERNET;type=pref:%d@exemple.fr\r\n"
                              "item3.ADR;type=HOME:;;%d rue des \\;Écoles;Lyon;;69003;France\r\n"
                              "BDAY:%04d-%02d-%02d\r\nNOTE:Rencontré à Lyon\\, en %d\r\nEND:VCARD\r\n",
                              kSurnames[surname], i, kFirstNames[firstName], kFirstNames[firstName], kSurnames[surname],
                              i, i, i, 1 + i % 99, year, month, day, year + 20);
        }
        out += card;
    }
    return out;
}

}  // namespace velorine::bench
