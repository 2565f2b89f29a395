#pragma once
// Address-book texts (UTF-8, any script) as the data file can hold them (Windows-1252).
//
// The text is first composed (Unicode NFC): "Zoe" followed by a combining acute accent is "Zoé",
// which Windows-1252 holds. Then a character Windows-1252 has is kept. One it lacks is replaced by
// what its Unicode decomposition (compatibility included) gives without its marks, when all of that
// is in Windows-1252: "ễ" of "Nguyễn" and "ầ" of "Trần" become "e" and "a", "ő" "ș" "ā" "o" "s"
// "a", the ligature "ﬁ" "fi", whatever Latin block the letter comes from. Letters with a stroke,
// which Unicode does not decompose (ł đ ħ ŧ), become their letter, and dashes that are not "-"
// become "-". A combining mark left alone is dropped. Anything else (another script, a symbol, an
// emoji) has no replacement: the caller decides whether the text may lose it.
//
// Composition and decomposition are ICU's (libicu), the reference of the Unicode tables.

#include <optional>
#include <string>
#include <string_view>

namespace velorine::contacts {

struct Cp1252Fitting {
    std::string text;                 // Windows-1252; characters without replacement left out
    bool replaced = false;            // at least one character became its base letter
    std::optional<std::string> lost;  // the first character left out, UTF-8
};

// `utf8` must be valid UTF-8.
Cp1252Fitting fitToCp1252(std::string_view utf8);

}  // namespace velorine::contacts
