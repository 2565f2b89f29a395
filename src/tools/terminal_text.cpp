#include "tools/terminal_text.h"

#include "store/cp1252.h"

namespace velorine::tools {
namespace {

constexpr std::string_view kReplacementCharacter = "\xEF\xBF\xBD";

bool isControl(char byte) {
    const char32_t codePoint = store::cp1252ToCodePoint(static_cast<unsigned char>(byte));
    return codePoint < 0x20 || (codePoint >= 0x7F && codePoint <= 0x9F);
}

}  // namespace

std::string terminalLine(std::string_view cp1252) {
    std::string line;
    std::size_t runStart = 0;
    for (std::size_t i = 0; i <= cp1252.size(); ++i) {
        if (i < cp1252.size() && !isControl(cp1252[i])) continue;
        line += store::cp1252ToUtf8(cp1252.substr(runStart, i - runStart));
        if (i < cp1252.size()) line += kReplacementCharacter;
        runStart = i + 1;
    }
    return line;
}

}  // namespace velorine::tools
