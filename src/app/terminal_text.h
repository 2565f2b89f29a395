#pragma once
// Text as a terminal receives it: UTF-8, and nothing a terminal would obey. A name in a data file
// (a merged list, a hand edit) or a path on a command line may hold control characters; printed as
// they are, an escape sequence could rewrite the screen or the terminal's title.

#include <cstddef>
#include <string>
#include <string_view>

namespace velorine::app {

// Arguments echoed in a message longer than this (in characters) are shortened to their first and
// last kEchoedPart characters around "…": a message stays one readable line.
inline constexpr std::size_t kLongestEchoed = 120;
inline constexpr std::size_t kEchoedPart = 50;

// The Windows-1252 text in UTF-8, every control character (C0, DEL, C1) shown as U+FFFD.
std::string terminalLine(std::string_view cp1252);

// A path, date or option as given (UTF-8 as a rule), to be echoed in a message: every control
// character and every byte that is not well-formed UTF-8 shown as U+FFFD, shortened beyond
// kLongestEchoed characters.
std::string terminalText(std::string_view bytes);

}  // namespace velorine::app
