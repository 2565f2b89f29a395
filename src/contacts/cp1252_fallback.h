#pragma once
// Address-book texts (UTF-8, any script) as the data file can hold them (Windows-1252).
//
// A character Windows-1252 has is kept. One it lacks is replaced by its base letter when it has
// one: a letter with a diacritic Windows-1252 does not carry (ő → o, ș → s, ā → a, by its Unicode
// decomposition), a letter with a stroke (ł → l, đ → d, ħ → h), a dash that is not "-" (→ "-"); a
// combining mark is dropped from the letter before it. Anything else (another script, a symbol,
// an emoji) has no replacement: the caller decides whether the text may lose it.

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
