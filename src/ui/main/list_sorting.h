#pragma once
// The order of the main list: always ascending by one column, texts compared byte by byte as
// Windows-1252 codes (so capitals before small letters, accented letters after "z", an empty text
// first). The birth-date column compares "%04d%02d%02d" keys, so the oldest person comes first;
// rows whose date does not read as day/month/year have an empty key and come before all others.

#include <string_view>

#include "ui/main/list_row.h"

namespace velorine::ui {

// Negative, zero or positive, as strcmp on the unsigned byte codes: the difference of the first
// codes that differ, a text that ends first counting as a code 0.
int compareCp1252Texts(std::string_view a, std::string_view b);

int compareRowsBy(int column, const ListRow& a, const ListRow& b);

}  // namespace velorine::ui
