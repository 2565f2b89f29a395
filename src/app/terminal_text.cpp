#include "app/terminal_text.h"

#include <vector>

#include "store/cp1252.h"

namespace velorine::app {
namespace {

constexpr std::string_view kReplacementCharacter = "\xEF\xBF\xBD";
constexpr std::string_view kEllipsis = "\xE2\x80\xA6";

bool isControl(char32_t codePoint) { return codePoint < 0x20 || (codePoint >= 0x7F && codePoint <= 0x9F); }

bool isContinuation(unsigned char byte) { return (byte & 0xC0) == 0x80; }

// The length of the well-formed UTF-8 sequence that starts text[0], its code point in `codePoint`;
// 0 when none starts there (a stray byte, an overlong form, a surrogate, beyond U+10FFFF).
std::size_t utf8SequenceAt(std::string_view text, char32_t& codePoint) {
    const auto lead = static_cast<unsigned char>(text[0]);
    const std::size_t length = lead < 0x80                    ? 1
                               : lead >= 0xC2 && lead <= 0xDF ? 2
                               : lead >= 0xE0 && lead <= 0xEF ? 3
                               : lead >= 0xF0 && lead <= 0xF4 ? 4
                                                              : 0;
    if (length == 0 || text.size() < length) return 0;
    codePoint = length == 1 ? lead : lead & (0x7F >> length);
    for (std::size_t i = 1; i < length; ++i) {
        const auto byte = static_cast<unsigned char>(text[i]);
        if (!isContinuation(byte)) return 0;
        codePoint = (codePoint << 6) | (byte & 0x3F);
    }
    constexpr char32_t kSmallest[] = {0, 0, 0x80, 0x800, 0x10000};
    if (codePoint < kSmallest[length] || codePoint > 0x10FFFF || (codePoint >= 0xD800 && codePoint <= 0xDFFF)) return 0;
    return length;
}

}  // namespace

std::string terminalLine(std::string_view cp1252) {
    std::string line;
    std::size_t runStart = 0;
    for (std::size_t i = 0; i <= cp1252.size(); ++i) {
        if (i < cp1252.size() && !isControl(store::cp1252ToCodePoint(static_cast<unsigned char>(cp1252[i])))) continue;
        line += store::cp1252ToUtf8(cp1252.substr(runStart, i - runStart));
        if (i < cp1252.size()) line += kReplacementCharacter;
        runStart = i + 1;
    }
    return line;
}

std::string terminalText(std::string_view bytes) {
    std::vector<std::string_view> characters;  // each shown as it is, or as U+FFFD
    for (std::size_t i = 0; i < bytes.size();) {
        char32_t codePoint = 0;
        const std::size_t length = utf8SequenceAt(bytes.substr(i), codePoint);
        characters.push_back(length == 0 || isControl(codePoint) ? kReplacementCharacter : bytes.substr(i, length));
        i += length == 0 ? 1 : length;
    }
    std::string text;
    for (std::size_t i = 0; i < characters.size(); ++i) {
        if (characters.size() > kLongestEchoed && i == kEchoedPart) {
            text += kEllipsis;
            i = characters.size() - kEchoedPart;
        }
        text += characters[i];
    }
    return text;
}

}  // namespace velorine::app
