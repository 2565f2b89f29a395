#pragma once
// Reminder lines as a terminal receives them: UTF-8, and nothing a terminal would obey. A name in a
// data file (a merged list, a hand edit) may hold control characters; printed as they are, an
// escape sequence could rewrite the screen or the terminal's title.

#include <string>
#include <string_view>

namespace velorine::tools {

// The Windows-1252 text in UTF-8, every control character (C0, DEL, C1) shown as U+FFFD.
std::string terminalLine(std::string_view cp1252);

}  // namespace velorine::tools
