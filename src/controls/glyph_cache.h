#pragma once

// TGlyphCache: the one process-wide owner of the glyph image lists, one TGlyphList per image
// size, so that the state images of every button of a size share one list.
//
// A glyph asks for the list of its image size when it builds its first image (the list is
// created on that first request) and gives it back once it has removed its images; a list is
// destroyed when it is given back empty.

#include <QSize>

#include <memory>
#include <vector>

#include "controls/glyph_list.h"

namespace velorine::controls {

class TGlyphCache {
public:
    static TGlyphCache& Instance();

    TGlyphList* GetList(QSize imageSize);
    void ReturnList(TGlyphList* list);

    // The number of lists alive.
    int ListCount() const { return static_cast<int>(lists_.size()); }

private:
    TGlyphCache() = default;

    std::vector<std::unique_ptr<TGlyphList>> lists_;
};

}  // namespace velorine::controls
