#include "contacts/vcard_values.h"

#include "store/cp1252.h"

namespace velorine::contacts {
namespace {

int hexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

// "=XX" is a byte; an "=" that is not followed by two hex digits is kept as it is.
std::string fromQuotedPrintable(std::string_view encoded) {
    std::string bytes;
    bytes.reserve(encoded.size());
    for (std::size_t i = 0; i < encoded.size(); ++i) {
        if (encoded[i] == '=' && i + 2 < encoded.size()) {
            const int high = hexValue(encoded[i + 1]);
            const int low = hexValue(encoded[i + 2]);
            if (high >= 0 && low >= 0) {
                bytes.push_back(static_cast<char>(high * 16 + low));
                i += 2;
                continue;
            }
        }
        bytes.push_back(encoded[i]);
    }
    return bytes;
}

bool isQuotedPrintable(const ContentLine& line) {
    const auto encoding = line.parameter("ENCODING");
    return (encoding && upperAscii(*encoding) == "QUOTED-PRINTABLE") || line.hasType("QUOTED-PRINTABLE");
}

// Appends the character at decoded[i] to `text`; an escape is two bytes, and i is left on its
// second.
void takeCharacter(std::string_view decoded, std::size_t& i, std::string& text) {
    if (decoded[i] != '\\') {
        text.push_back(decoded[i]);
    } else if (i + 1 < decoded.size()) {
        const char escaped = decoded[++i];
        text.push_back(escaped == 'n' || escaped == 'N' ? '\n' : escaped);
    }
}

bool isValidUtf8(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size()) {
        const auto lead = static_cast<unsigned char>(text[i]);
        std::size_t length = 0;
        char32_t smallest = 0;
        if (lead < 0x80) {
            ++i;
            continue;
        } else if ((lead & 0xE0) == 0xC0) {
            length = 2, smallest = 0x80;
        } else if ((lead & 0xF0) == 0xE0) {
            length = 3, smallest = 0x800;
        } else if ((lead & 0xF8) == 0xF0) {
            length = 4, smallest = 0x10000;
        } else {
            return false;
        }
        if (i + length > text.size()) return false;
        char32_t codePoint = lead & (0x7F >> length);
        for (std::size_t k = 1; k < length; ++k) {
            const auto next = static_cast<unsigned char>(text[i + k]);
            if ((next & 0xC0) != 0x80) return false;
            codePoint = (codePoint << 6) | (next & 0x3F);
        }
        if (codePoint < smallest || codePoint > 0x10FFFF || (codePoint >= 0xD800 && codePoint <= 0xDFFF)) return false;
        i += length;
    }
    return true;
}

}  // namespace

std::optional<std::string> decodedValue(const ContentLine& line, CharsetConverter& converter) {
    const std::string bytes = isQuotedPrintable(line) ? fromQuotedPrintable(line.value) : line.value;
    const std::string charset = upperAscii(line.parameter("CHARSET").value_or(""));
    if (charset.empty() || charset == "UTF-8" || charset == "UTF8")
        return isValidUtf8(bytes) ? bytes : store::cp1252ToUtf8(bytes);
    constexpr std::string_view kWindows1252Labels[] = {
        "WINDOWS-1252", "CP1252", "ISO-8859-1", "ISO8859-1", "ISO_8859-1", "LATIN1", "LATIN-1", "US-ASCII", "ASCII"};
    for (const std::string_view label : kWindows1252Labels)
        if (charset == label) return store::cp1252ToUtf8(bytes);
    return converter.toUtf8(bytes, charset);
}

std::vector<std::string> componentsOf(std::string_view decoded) {
    std::vector<std::string> components(1);
    for (std::size_t i = 0; i < decoded.size(); ++i) {
        if (decoded[i] == ';') {
            components.emplace_back();
        } else {
            takeCharacter(decoded, i, components.back());
        }
    }
    return components;
}

std::string unescaped(std::string_view decoded) {
    std::string text;
    text.reserve(decoded.size());
    for (std::size_t i = 0; i < decoded.size(); ++i) takeCharacter(decoded, i, text);
    return text;
}

}  // namespace velorine::contacts
