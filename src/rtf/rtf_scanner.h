#pragma once
// Splits RTF bytes into tokens: group braces, control words with their optional number, control
// symbols, \'hh bytes and runs of plain text. One pass, no look-back, no allocation: every token
// views the input. Whatever the bytes, next() returns a token until the input is used up, so a
// truncated or binary input simply ends early.

#include <cstdint>
#include <optional>
#include <string_view>

namespace velorine::ui::rtf {

struct Token {
    enum class Kind { GroupOpen, GroupClose, Word, Symbol, HexByte, Text };
    Kind kind = Kind::Text;
    std::string_view text;       // the word's letters, or the run of text
    bool hasParameter = false;   // a word followed by a number
    std::int32_t parameter = 0;  // clamped to the int32 range
    char symbol = 0;             // the character after the backslash of a control symbol
    unsigned char byte = 0;      // the value of \'hh
};

class Scanner {
public:
    explicit Scanner(std::string_view input) : input_(input) {}

    std::optional<Token> next();
    // Passes over raw bytes (the data of \binN), at most what is left.
    void skipBytes(std::int64_t count);

private:
    Token word();
    Token hexByte();
    Token text();

    std::string_view input_;
    std::size_t pos_ = 0;
};

}  // namespace velorine::ui::rtf
