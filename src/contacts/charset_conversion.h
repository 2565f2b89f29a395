#pragma once
// Texts of other character sets turned into UTF-8, by the C library's converter (iconv), which
// knows every set address books label their values with (ISO-8859-15, KOI8-R, Windows-1251,
// Shift_JIS, UTF-16...).
//
// A converter keeps what it opened for the sets it met, so that a book of thousands of values in
// one set opens it once; it is not shared between threads. Address books use one set or two: past
// kMostCharsets different labels, a new one is taken for unknown without asking the C library,
// whose search for a name it does not know is slow, so that a hostile file naming a new set on
// every card is read as fast as any other.

#include <map>
#include <optional>
#include <string>
#include <string_view>

namespace velorine::contacts {

inline constexpr std::size_t kMostCharsets = 16;

class CharsetConverter {
public:
    CharsetConverter() = default;
    ~CharsetConverter();
    CharsetConverter(const CharsetConverter&) = delete;
    CharsetConverter& operator=(const CharsetConverter&) = delete;

    // `bytes` of the set named `label` (as the file names it, any case) in UTF-8; nothing when the
    // set is unknown or the bytes are not text of that set.
    std::optional<std::string> toUtf8(std::string_view bytes, const std::string& label);

private:
    std::map<std::string, void*> opened_;  // label upper-cased -> iconv_t, (iconv_t)-1 when unknown
};

}  // namespace velorine::contacts
