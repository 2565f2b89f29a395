#pragma once
// How a settings-file read takes a name or a value from its line: the one definition that the
// parser (ini_document.cpp) and the fast checks on raw lines (record_store.cpp) share, so that
// they cannot disagree. Not for use outside store/.

#include <string_view>

namespace velorine::store::read_rules {

// The blanks dropped around names and values. LF ends the line before any rule sees it.
inline constexpr std::string_view kBlanks = " \t\v\f\r";

constexpr bool isBlankByte(char c) { return c == ' ' || c == '\t' || c == '\v' || c == '\f' || c == '\r'; }

// The text without the blanks around it.
constexpr std::string_view trimmed(std::string_view text) {
    // Most names and values have no blanks around them: no search then.
    if (!text.empty() && !isBlankByte(text.front()) && !isBlankByte(text.back())) return text;
    const auto first = text.find_first_not_of(kBlanks);
    if (first == std::string_view::npos) return {};
    const auto last = text.find_last_not_of(kBlanks);
    return text.substr(first, last - first + 1);
}

// The value a read hands back for what follows "=" on a key line: blanks dropped, then one pair of
// enclosing quotes (' or "), and cut at its first NUL, as the zero-terminated text of a
// settings-file read is. Always a part of `raw`.
constexpr std::string_view valueAsRead(std::string_view raw) {
    std::string_view value = trimmed(raw);
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front())
        value = value.substr(1, value.size() - 2);
    return value.substr(0, value.find('\0'));
}

// True when a read hands the value back as it stands: nothing to drop, nothing cut.
constexpr bool readsBackAsItself(std::string_view value) { return valueAsRead(value).size() == value.size(); }

}  // namespace velorine::store::read_rules
