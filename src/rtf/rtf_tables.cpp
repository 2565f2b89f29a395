#include "rtf/rtf_tables.h"

namespace velorine::ui::rtf {

const FontEntry* Tables::font(int number) const {
    const auto found = fonts.find(number < 0 ? defaultFont : number);
    return found == fonts.end() ? nullptr : &found->second;
}

QColor Tables::colour(int index) const {
    if (index <= 0 || static_cast<std::size_t>(index) >= colours.size()) return {};
    return colours[static_cast<std::size_t>(index)];
}

}  // namespace velorine::ui::rtf
