// libFuzzer target: any bytes as an address book. The reader must never crash or hang, and what it
// keeps must be what the data file can hold.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "contacts/vcard_reader.h"
#include "store/dates.h"

namespace {

void require(bool condition) {
    if (!condition) std::abort();
}

bool fitsTheDataFile(const std::string& text) {
    return text.size() <= 127 && text.find_first_of("\r\n") == std::string::npos &&
           (text.empty() || (text.front() != ' ' && text.back() != ' '));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto reading =
        velorine::contacts::readVcards(std::string_view(reinterpret_cast<const char*>(data), size), {6, 12, 2026});
    require(reading.book.has_value() == reading.error.empty());
    if (!reading.book) return 0;
    for (const auto& card : reading.book->cards) {
        const auto& r = card.record;
        require(!r.surname.empty());
        for (const std::string* text : {&r.surname, &r.firstName, &r.address, &r.email})
            require(fitsTheDataFile(*text));
        const auto birth = velorine::store::scanSlashedDate(r.birthDate);
        require(birth && velorine::store::displayDate(*birth) == r.birthDate);
    }
    for (const auto& refused : reading.book->refused) require(!refused.reason.empty() && !refused.label.empty());
    return 0;
}
