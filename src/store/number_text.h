#pragma once
// Numbers written as text in the data file, read back the way the C library reads them, but
// without its undefined behaviour: values beyond the 32-bit range saturate at its limits.

#include <optional>
#include <string_view>

namespace velorine::store {

// The plain integer conversion of every numeric setting: leading white space, an optional sign,
// then decimal digits up to the first non-digit; 0 when there are none.
int integerFromText(std::string_view text);

// Reads a text field by field, as sscanf does for "%d", blanks and literal characters.
class TextScanner {
public:
    explicit TextScanner(std::string_view text) : text_(text) {}
    // "%d": skips white space, takes an optional sign and at least one digit.
    std::optional<int> integer();
    // A blank of the format: skips any white space, possibly none.
    void skipWhiteSpace();
    // Any other character of the format: must be the next character.
    bool literal(char expected);

private:
    std::string_view text_;
    std::size_t pos_ = 0;
};

}  // namespace velorine::store
