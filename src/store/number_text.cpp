#include "store/number_text.h"

#include <climits>

namespace velorine::store {
namespace {

bool isWhiteSpace(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }
bool isDigit(char c) { return c >= '0' && c <= '9'; }

// Digits from text[pos] on, with the sign applied; saturates at the int limits.
int accumulateDigits(std::string_view text, std::size_t& pos, bool negative) {
    long long value = 0;
    for (; pos < text.size() && isDigit(text[pos]); ++pos) {
        if (value <= static_cast<long long>(INT_MAX) + 1) value = value * 10 + (text[pos] - '0');
    }
    if (negative) return value > static_cast<long long>(INT_MAX) + 1 ? INT_MIN : static_cast<int>(-value);
    return value > INT_MAX ? INT_MAX : static_cast<int>(value);
}

}  // namespace

int integerFromText(std::string_view text) {
    std::size_t pos = 0;
    while (pos < text.size() && isWhiteSpace(text[pos])) ++pos;
    bool negative = false;
    if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) negative = text[pos++] == '-';
    return accumulateDigits(text, pos, negative);
}

std::optional<int> TextScanner::integer() {
    skipWhiteSpace();
    std::size_t pos = pos_;
    bool negative = false;
    if (pos < text_.size() && (text_[pos] == '+' || text_[pos] == '-')) negative = text_[pos++] == '-';
    if (pos >= text_.size() || !isDigit(text_[pos])) return std::nullopt;
    const int value = accumulateDigits(text_, pos, negative);
    pos_ = pos;
    return value;
}

void TextScanner::skipWhiteSpace() {
    while (pos_ < text_.size() && isWhiteSpace(text_[pos_])) ++pos_;
}

bool TextScanner::literal(char expected) {
    if (pos_ >= text_.size() || text_[pos_] != expected) return false;
    ++pos_;
    return true;
}

}  // namespace velorine::store
