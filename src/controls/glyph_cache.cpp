#include "controls/glyph_cache.h"

#include <algorithm>

namespace velorine::controls {

TGlyphCache& TGlyphCache::Instance() {
    static TGlyphCache cache;
    return cache;
}

TGlyphList* TGlyphCache::GetList(QSize imageSize) {
    const auto found =
        std::find_if(lists_.begin(), lists_.end(), [&](const auto& list) { return list->ImageSize() == imageSize; });
    if (found != lists_.end()) {
        return found->get();
    }
    return lists_.emplace_back(std::make_unique<TGlyphList>(imageSize)).get();
}

void TGlyphCache::ReturnList(TGlyphList* list) {
    if (list == nullptr || list->Count() != 0) {
        return;
    }
    std::erase_if(lists_, [&](const auto& owned) { return owned.get() == list; });
}

}  // namespace velorine::controls
