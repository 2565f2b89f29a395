#include "ui/main/list_sorting.h"

#include <algorithm>

namespace velorine::ui {
namespace {

constexpr int kBirthDateColumn = 2;

int codeAt(std::string_view text, std::size_t i) { return i < text.size() ? static_cast<unsigned char>(text[i]) : 0; }

}  // namespace

int compareCp1252Texts(std::string_view a, std::string_view b) {
    const std::size_t length = std::max(a.size(), b.size());
    for (std::size_t i = 0; i < length; ++i) {
        const int difference = codeAt(a, i) - codeAt(b, i);
        if (difference != 0) return difference;
    }
    return 0;
}

int compareRowsBy(int column, const ListRow& a, const ListRow& b) {
    if (column == kBirthDateColumn) return compareCp1252Texts(a.birthDateKey, b.birthDateKey);
    return compareCp1252Texts(a.text(column), b.text(column));
}

}  // namespace velorine::ui
