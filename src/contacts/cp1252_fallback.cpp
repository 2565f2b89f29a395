#include "contacts/cp1252_fallback.h"

#include "store/cp1252.h"

namespace velorine::contacts {
namespace {

// The base letters of U+0100 to U+017F (Latin Extended-A), "." where there is none. The letters
// Windows-1252 holds itself (Œ œ Š š Ÿ Ž ž) never get here.
constexpr std::string_view kLatinExtendedA =
    "AaAaAaCcCcCcCcDd"
    "DdEeEeEeEeEeGgGg"
    "GgGgHhHhIiIiIiIi"
    "Ii..JjKk.LlLlLlL"
    "lLlNnNnNn...OoOo"
    "OoOoRrRrRrSsSsSs"
    "SsTtTtTtUuUuUuUu"
    "UuUuWwYyYZzZzZzs";

struct BaseLetter {
    char32_t codePoint;
    char base;
};

// Letters of Latin Extended-B that address books meet (Romanian, Vietnamese, pinyin), and dashes.
constexpr BaseLetter kOtherBaseLetters[] = {
    {0x0180, 'b'}, {0x0197, 'I'}, {0x01A0, 'O'}, {0x01A1, 'o'}, {0x01AF, 'U'}, {0x01B0, 'u'},
    {0x01B5, 'Z'}, {0x01B6, 'z'}, {0x01CD, 'A'}, {0x01CE, 'a'}, {0x01CF, 'I'}, {0x01D0, 'i'},
    {0x01D1, 'O'}, {0x01D2, 'o'}, {0x01D3, 'U'}, {0x01D4, 'u'}, {0x01E6, 'G'}, {0x01E7, 'g'},
    {0x01E8, 'K'}, {0x01E9, 'k'}, {0x01EA, 'O'}, {0x01EB, 'o'}, {0x01F4, 'G'}, {0x01F5, 'g'},
    {0x01F8, 'N'}, {0x01F9, 'n'}, {0x0218, 'S'}, {0x0219, 's'}, {0x021A, 'T'}, {0x021B, 't'},
    {0x0228, 'E'}, {0x0229, 'e'}, {0x2010, '-'}, {0x2011, '-'}, {0x2012, '-'}, {0x2212, '-'},
};

std::optional<char> baseLetterOf(char32_t codePoint) {
    if (codePoint >= 0x0100 && codePoint <= 0x017F) {
        const char base = kLatinExtendedA[codePoint - 0x0100];
        if (base != '.') return base;
        return std::nullopt;
    }
    for (const BaseLetter& letter : kOtherBaseLetters)
        if (letter.codePoint == codePoint) return letter.base;
    return std::nullopt;
}

bool isCombiningMark(char32_t codePoint) { return codePoint >= 0x0300 && codePoint <= 0x036F; }

// The code point that starts at utf8[i], and its length in bytes; the text is valid UTF-8.
char32_t decodeAt(std::string_view utf8, std::size_t i, std::size_t& length) {
    const auto lead = static_cast<unsigned char>(utf8[i]);
    length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
    char32_t codePoint = length == 1 ? lead : lead & (0x7F >> length);
    for (std::size_t k = 1; k < length; ++k)
        codePoint = (codePoint << 6) | (static_cast<unsigned char>(utf8[i + k]) & 0x3F);
    return codePoint;
}

}  // namespace

Cp1252Fitting fitToCp1252(std::string_view utf8) {
    Cp1252Fitting fitting;
    fitting.text.reserve(utf8.size());
    std::size_t length = 0;
    for (std::size_t i = 0; i < utf8.size(); i += length) {
        const char32_t codePoint = decodeAt(utf8, i, length);
        if (const auto byte = store::codePointToCp1252(codePoint)) {
            fitting.text.push_back(static_cast<char>(*byte));
        } else if (const auto base = baseLetterOf(codePoint)) {
            fitting.text.push_back(*base);
            fitting.replaced = true;
        } else if (isCombiningMark(codePoint)) {
            fitting.replaced = true;
        } else if (!fitting.lost) {
            fitting.lost = std::string(utf8.substr(i, length));
        }
    }
    return fitting;
}

}  // namespace velorine::contacts
