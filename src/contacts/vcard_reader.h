#pragma once
// Address-book files (vCard 2.1, 3.0, 4.0) read into birthday records, in one pass, nothing
// written anywhere.
//
// Every card becomes either a record, ready for the data file (Windows-1252, each text at most 127
// characters, as the data file reads them back), or a refused card with its French reason:
//   - surname and first name from N (family; given); when N gives no surname, the whole name is
//     taken from FN, else from N's given name: its last word is the surname, the words before it
//     the first name, and a one-word name ("Maman") is a surname with an empty first name;
//   - the address from the first ADR: street, postal code and locality on one line;
//   - the e-mail marked preferred (PREF=1, TYPE=pref), else the first;
//   - the birth date from the first BDAY that gives one (birthday_value.h): vCard 4.0 may give the
//     same birthday as text first, then as a date. A card without a usable one is refused as
//     RefusalKind::NoBirthday, whether it has a name or not;
//   - values are decoded as vcard_values.h says; a card whose value cannot be converted from its
//     character set is refused (RefusalKind::Letters), never stored with wrong letters;
//   - characters Windows-1252 lacks become their base letter (cp1252_fallback.h) and the card says
//     so; a name that would still lose a character is refused (RefusalKind::Name), an address or an
//     e-mail loses it and the card says it was changed.
//
// The file may be UTF-8 (with or without its byte-order mark) or UTF-16 with its byte-order mark;
// NUL bytes padding its end are ignored. A whole file is refused, with its reason and no cards,
// when it is not a vCard file (no BEGIN:VCARD first, binary bytes) or a card is cut short (no
// END:VCARD). Time is linear in the size of the file; memory follows the cards kept.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "store/civil_calendar.h"
#include "store/record_store.h"

namespace velorine::contacts {

// The largest address-book file read: ten times a 10,000-card book with photos of every contact.
inline constexpr std::uintmax_t kLargestVcardFile = std::uintmax_t{32} << 20;

struct ContactCard {
    std::string label;             // how the card is named to the user, UTF-8: its FN, else its name
    store::BirthdayRecord record;  // Windows-1252
    bool changed = false;          // some character was replaced or left out
};

enum class RefusalKind { NoBirthday, Name, Letters };

struct RefusedCard {
    std::string label;
    std::string reason;  // French, UTF-8
    RefusalKind kind;
};

struct VcardBook {
    std::vector<ContactCard> cards;
    std::vector<RefusedCard> refused;
};

struct VcardReading {
    std::optional<VcardBook> book;
    std::string error;  // why the whole file is refused, French, UTF-8; empty when it is read
};

// `today` is the last day a birth may fall on.
VcardReading readVcards(std::string_view bytes, const store::CalendarDate& today);

// The file at `path` read whole (at most kLargestVcardFile bytes, never blocking on a FIFO) and
// then as readVcards does; a file that cannot be read gives its reason.
VcardReading readVcardFile(const std::string& path, const store::CalendarDate& today);

}  // namespace velorine::contacts
