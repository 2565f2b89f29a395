#pragma once
// Address-book files (vCard 2.1, 3.0, 4.0) read into birthday records, in one pass, nothing
// written anywhere.
//
// Every card becomes either a record, ready for the data file (Windows-1252, each text at most 127
// characters, as the data file reads them back), or a refused card with its French reason:
//   - surname and first name from N (family; given); when N gives no surname, from FN, whose last
//     word is the surname and the rest the first name;
//   - the address from the first ADR: street, postal code and locality on one line;
//   - the e-mail marked preferred (PREF=1, TYPE=pref), else the first;
//   - the birth date from the first BDAY (birthday_value.h); a card without a usable one is
//     refused as RefusalKind::NoBirthday;
//   - characters Windows-1252 lacks become their base letter (cp1252_fallback.h) and the card says
//     so; a name that would still lose a character is refused (RefusalKind::Name), an address or an
//     e-mail loses it and the card says it was changed.
//
// A whole file is refused, with its reason and no cards, when it is not a vCard file (no
// BEGIN:VCARD first, binary bytes) or a card is cut short (no END:VCARD).

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "store/record_store.h"

namespace velorine::contacts {

// The largest address-book file read: ten times a 10,000-card book with photos of every contact.
inline constexpr std::uintmax_t kLargestVcardFile = std::uintmax_t{32} << 20;

struct ContactCard {
    std::string label;             // how the card is named to the user, UTF-8: its FN, else its name
    store::BirthdayRecord record;  // Windows-1252
    bool changed = false;          // some character was replaced or left out
};

enum class RefusalKind { NoBirthday, Name };

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

VcardReading readVcards(std::string_view bytes);

// The file at `path` read whole (at most kLargestVcardFile bytes, never blocking on a FIFO) and
// then as readVcards does; a file that cannot be read gives its reason.
VcardReading readVcardFile(const std::string& path);

}  // namespace velorine::contacts
