#include "controls/glyph_list.h"

#include <algorithm>

namespace velorine::controls {

int TGlyphList::Add(const QImage& image) {
    Q_ASSERT(image.size() == imageSize_);
    const auto freeSlot = std::find(slots_.begin(), slots_.end(), std::nullopt);
    if (freeSlot != slots_.end()) {
        *freeSlot = image;
        return static_cast<int>(freeSlot - slots_.begin());
    }
    slots_.emplace_back(image);
    return static_cast<int>(slots_.size()) - 1;
}

void TGlyphList::Delete(int slot) {
    if (slot >= 0 && static_cast<std::size_t>(slot) < slots_.size()) {
        slots_[static_cast<std::size_t>(slot)].reset();
    }
}

int TGlyphList::Count() const {
    return static_cast<int>(
        std::count_if(slots_.begin(), slots_.end(), [](const auto& slot) { return slot.has_value(); }));
}

}  // namespace velorine::controls
