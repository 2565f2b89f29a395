#include "rtf/rtf_scanner.h"

#include <limits>

namespace velorine::ui::rtf {
namespace {

bool isLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
bool isDigit(char c) { return c >= '0' && c <= '9'; }

// Bytes that end a run of text: they mean something, or are dropped (line ends are not text).
bool endsText(char c) { return c == '\\' || c == '{' || c == '}' || c == '\r' || c == '\n' || c == '\0'; }

Token tokenOf(Token::Kind kind) {
    Token token;
    token.kind = kind;
    return token;
}

int hexValue(char c) {
    if (isDigit(c)) return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

}  // namespace

std::optional<Token> Scanner::next() {
    while (pos_ < input_.size()) {
        const char c = input_[pos_];
        if (c == '{') {
            ++pos_;
            return tokenOf(Token::Kind::GroupOpen);
        }
        if (c == '}') {
            ++pos_;
            return tokenOf(Token::Kind::GroupClose);
        }
        if (c == '\\') {
            ++pos_;
            if (pos_ == input_.size()) return std::nullopt;
            if (isLetter(input_[pos_])) return word();
            if (input_[pos_] == '\'') {
                ++pos_;
                return hexByte();
            }
            Token symbol = tokenOf(Token::Kind::Symbol);
            symbol.symbol = input_[pos_++];
            return symbol;
        }
        if (endsText(c)) {
            ++pos_;
            continue;
        }
        return text();
    }
    return std::nullopt;
}

void Scanner::skipBytes(std::int64_t count) {
    const auto left = static_cast<std::int64_t>(input_.size() - pos_);
    pos_ += static_cast<std::size_t>(count <= 0 ? 0 : count < left ? count : left);
}

Token Scanner::word() {
    Token token = tokenOf(Token::Kind::Word);
    const std::size_t start = pos_;
    while (pos_ < input_.size() && isLetter(input_[pos_])) ++pos_;
    token.text = input_.substr(start, pos_ - start);

    const bool negative = pos_ + 1 < input_.size() && input_[pos_] == '-' && isDigit(input_[pos_ + 1]);
    if (negative) ++pos_;
    std::int64_t value = 0;
    while (pos_ < input_.size() && isDigit(input_[pos_])) {
        token.hasParameter = true;
        // Saturates: a longer number only has to stay long, not exact.
        if (value <= std::numeric_limits<std::int32_t>::max()) value = value * 10 + (input_[pos_] - '0');
        ++pos_;
    }
    if (negative) value = -value;
    if (value > std::numeric_limits<std::int32_t>::max()) value = std::numeric_limits<std::int32_t>::max();
    if (value < std::numeric_limits<std::int32_t>::min()) value = std::numeric_limits<std::int32_t>::min();
    token.parameter = static_cast<std::int32_t>(value);

    if (pos_ < input_.size() && input_[pos_] == ' ') ++pos_;  // the space that ends a word is not text
    return token;
}

Token Scanner::hexByte() {
    Token token = tokenOf(Token::Kind::HexByte);
    int value = 0;
    for (int digits = 0; digits < 2 && pos_ < input_.size(); ++digits) {
        const int digit = hexValue(input_[pos_]);
        if (digit < 0) break;
        value = value * 16 + digit;
        ++pos_;
    }
    token.byte = static_cast<unsigned char>(value);
    return token;
}

Token Scanner::text() {
    Token token = tokenOf(Token::Kind::Text);
    const std::size_t start = pos_;
    while (pos_ < input_.size() && !endsText(input_[pos_])) ++pos_;
    token.text = input_.substr(start, pos_ - start);
    return token;
}

}  // namespace velorine::ui::rtf
