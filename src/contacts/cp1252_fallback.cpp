#include "contacts/cp1252_fallback.h"

#include <unicode/uchar.h>
#include <unicode/unorm2.h>
#include <unicode/ustring.h>
#include <unicode/utf8.h>

#include <vector>

#include "store/cp1252.h"

namespace velorine::contacts {
namespace {

struct BaseLetter {
    char32_t codePoint;
    char base;
};

// What Unicode does not decompose: letters with a stroke or a bar, and dashes.
constexpr BaseLetter kUndecomposed[] = {
    {0x0110, 'D'}, {0x0111, 'd'}, {0x0126, 'H'}, {0x0127, 'h'}, {0x0131, 'i'}, {0x0141, 'L'}, {0x0142, 'l'},
    {0x0166, 'T'}, {0x0167, 't'}, {0x0180, 'b'}, {0x0197, 'I'}, {0x01B5, 'Z'}, {0x01B6, 'z'}, {0x01E4, 'G'},
    {0x01E5, 'g'}, {0x023A, 'A'}, {0x023B, 'C'}, {0x023C, 'c'}, {0x0246, 'E'}, {0x0247, 'e'}, {0x0268, 'i'},
    {0x1D7B, 'I'}, {0x2010, '-'}, {0x2011, '-'}, {0x2012, '-'}, {0x2212, '-'},
};

std::optional<char> undecomposedBase(char32_t codePoint) {
    for (const BaseLetter& letter : kUndecomposed)
        if (letter.codePoint == codePoint) return letter.base;
    return std::nullopt;
}

enum class Form { Composed, CompatibleComposed, CompatibleDecomposed };

const UNormalizer2* normalizer(Form form) {
    UErrorCode status = U_ZERO_ERROR;
    const UNormalizer2* instance = form == Form::Composed             ? unorm2_getNFCInstance(&status)
                                   : form == Form::CompatibleComposed ? unorm2_getNFKCInstance(&status)
                                                                      : unorm2_getNFKDInstance(&status);
    return U_SUCCESS(status) ? instance : nullptr;
}

bool isAscii(std::string_view text) {
    for (const char c : text)
        if (static_cast<unsigned char>(c) >= 0x80) return false;
    return true;
}

// The text in NFC; as it is when ICU cannot tell (it then only keeps more marks apart).
std::string composed(std::string_view utf8) {
    const UNormalizer2* nfc = normalizer(Form::Composed);
    if (!nfc || isAscii(utf8)) return std::string(utf8);
    UErrorCode status = U_ZERO_ERROR;
    std::vector<UChar> wide(utf8.size() + 1);
    int32_t wideLength = 0;
    u_strFromUTF8(wide.data(), static_cast<int32_t>(wide.size()), &wideLength, utf8.data(),
                  static_cast<int32_t>(utf8.size()), &status);
    if (U_FAILURE(status)) return std::string(utf8);
    if (unorm2_isNormalized(nfc, wide.data(), wideLength, &status) && U_SUCCESS(status)) return std::string(utf8);
    status = U_ZERO_ERROR;
    // Composition never makes a text longer.
    std::vector<UChar> normal(static_cast<std::size_t>(wideLength) + 1);
    const int32_t normalLength =
        unorm2_normalize(nfc, wide.data(), wideLength, normal.data(), static_cast<int32_t>(normal.size()), &status);
    if (U_FAILURE(status)) return std::string(utf8);
    std::string result(static_cast<std::size_t>(normalLength) * 3, '\0');
    int32_t resultLength = 0;
    u_strToUTF8(result.data(), static_cast<int32_t>(result.size()), &resultLength, normal.data(), normalLength,
                &status);
    if (U_FAILURE(status)) return std::string(utf8);
    result.resize(static_cast<std::size_t>(resultLength));
    return result;
}

bool isMark(UChar32 codePoint) { return (U_GET_GC_MASK(codePoint) & U_GC_M_MASK) != 0; }

// The Windows-1252 bytes of `units`, marks left out when `dropMarks`; nothing when some other
// character Windows-1252 lacks is there.
std::optional<std::string> cp1252Of(const UChar* units, int32_t length, bool dropMarks) {
    std::string bytes;
    for (int32_t i = 0; i < length;) {
        UChar32 part = 0;
        U16_NEXT(units, i, length, part);
        if (dropMarks && isMark(part)) continue;
        const auto byte = store::codePointToCp1252(static_cast<char32_t>(part));
        if (!byte) return std::nullopt;
        bytes.push_back(static_cast<char>(*byte));
    }
    if (bytes.empty()) return std::nullopt;
    return bytes;
}

// What Windows-1252 can keep of a character it lacks, from its compatibility decomposition: that
// decomposition composed again when it fits whole ("Ǆ" is "DŽ"), else its letters without their
// marks ("ễ" is "e"); nothing when the character does not decompose.
std::optional<std::string> baseOf(UChar32 codePoint) {
    const UNormalizer2* decompose = normalizer(Form::CompatibleDecomposed);
    const UNormalizer2* compose = normalizer(Form::CompatibleComposed);
    if (!decompose || !compose) return std::nullopt;
    constexpr int32_t kRoom = 32;  // the longest decomposition is 18 units
    UChar decomposed[kRoom];
    UErrorCode status = U_ZERO_ERROR;
    const int32_t length = unorm2_getDecomposition(decompose, codePoint, decomposed, kRoom, &status);
    if (U_FAILURE(status) || length <= 0) return std::nullopt;
    UChar recomposed[kRoom];
    const int32_t composedLength = unorm2_normalize(compose, decomposed, length, recomposed, kRoom, &status);
    if (U_SUCCESS(status))
        if (auto whole = cp1252Of(recomposed, composedLength, false)) return whole;
    return cp1252Of(decomposed, length, true);
}

}  // namespace

Cp1252Fitting fitToCp1252(std::string_view utf8) {
    const std::string text = composed(utf8);
    Cp1252Fitting fitting;
    fitting.text.reserve(text.size());
    const auto* bytes = reinterpret_cast<const uint8_t*>(text.data());
    const auto length = static_cast<int32_t>(text.size());
    for (int32_t i = 0; i < length;) {
        const int32_t start = i;
        UChar32 codePoint = 0;
        U8_NEXT(bytes, i, length, codePoint);
        if (const auto byte = store::codePointToCp1252(static_cast<char32_t>(codePoint))) {
            fitting.text.push_back(static_cast<char>(*byte));
        } else if (const auto base = baseOf(codePoint)) {
            fitting.text += *base;
            fitting.replaced = true;
        } else if (const auto letter = undecomposedBase(static_cast<char32_t>(codePoint))) {
            fitting.text.push_back(*letter);
            fitting.replaced = true;
        } else if (isMark(codePoint)) {
            fitting.replaced = true;
        } else if (!fitting.lost) {
            fitting.lost = text.substr(static_cast<std::size_t>(start), static_cast<std::size_t>(i - start));
        }
    }
    return fitting;
}

}  // namespace velorine::contacts
