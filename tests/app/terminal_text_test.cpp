#include "app/terminal_text.h"

#include <gtest/gtest.h>

namespace velorine::app {
namespace {

TEST(TerminalText, ShowsWhatATerminalWouldObeyAsReplacementCharacters) {
    const struct {
        const char* what;
        std::string given;
        std::string shown;
    } cases[] = {
        {"plain UTF-8 kept", "/home/anne/fêtes/velor.ini", "/home/anne/fêtes/velor.ini"},
        {"escape and bell", "/x/\x1B]0;PWNED\a\x1B[2J", "/x/\uFFFD]0;PWNED\uFFFD\uFFFD[2J"},
        {"C1 control in UTF-8",
         "a\xC2\x9B"
         "2J",
         "a\uFFFD2J"},
        {"DEL", "a\x7F", "a\uFFFD"},
        {"stray byte", "a\xE9z", "a\uFFFDz"},
        {"overlong form of ESC", "\xC0\x9B", "\uFFFD\uFFFD"},
        {"truncated sequence", "a\xE2\x82", "a\uFFFD\uFFFD"},
        {"surrogate", "\xED\xA0\x80", "\uFFFD\uFFFD\uFFFD"},
        {"NUL", std::string("a\0b", 3), "a\uFFFDb"},
    };
    for (const auto& c : cases) EXPECT_EQ(terminalText(c.given), c.shown) << c.what;
}

TEST(TerminalText, ShortensLongArgumentsToTheirTwoEnds) {
    const std::string limit(kLongestEchoed, 'e');
    EXPECT_EQ(terminalText(limit), limit);
    const std::string longPath = std::string(kEchoedPart, 'a') + std::string(5000, 'm') + std::string(kEchoedPart, 'z');
    EXPECT_EQ(terminalText(longPath), std::string(kEchoedPart, 'a') + "…" + std::string(kEchoedPart, 'z'));
    std::string accented;
    for (std::size_t i = 0; i < kLongestEchoed + 1; ++i) accented += "é";  // counted in characters, not bytes
    EXPECT_EQ(terminalText(accented).find("…"), kEchoedPart * 2);
}

}  // namespace
}  // namespace velorine::app
