#pragma once

// TGlyphList: an image list of one image size. Slots are used or free; a removed image frees its
// slot, and the next image added takes the first free slot.

#include <QImage>
#include <QSize>

#include <optional>
#include <vector>

namespace velorine::controls {

class TGlyphList {
public:
    explicit TGlyphList(QSize imageSize) : imageSize_(imageSize) {}

    QSize ImageSize() const { return imageSize_; }

    // Stores a copy of `image` (of the list's size) and returns its slot.
    int Add(const QImage& image);

    // Frees `slot`; freeing a free slot does nothing.
    void Delete(int slot);

    // The image in a used slot.
    const QImage& Image(int slot) const { return *slots_.at(static_cast<std::size_t>(slot)); }

    // The number of used slots.
    int Count() const;

private:
    QSize imageSize_;
    std::vector<std::optional<QImage>> slots_;
};

}  // namespace velorine::controls
