#pragma once
// The glyphs of TIEButton: the images of each state made from the strip a button is given, the lists
// of images of one size they are kept in, the cache those lists are shared through, and
// TButtonGlyph, which draws a button's glyph.

#include <QColor>
#include <QImage>
#include <QPalette>
#include <QPoint>
#include <QSize>

#include <array>
#include <memory>
#include <optional>
#include <vector>

#include "controls/button_parts.h"

// The images a glyph strip gives for each button state. A strip holds up to five images side by
// side, one per glyph state (normal, disabled, sleeping, down, pressed); a state without its
// own image uses the normal one.
// TGlyphList: an image list of one image size. Slots are used or free; a removed image frees its
// slot, and the next image added takes the first free slot.
// TGlyphCache: the one process-wide owner of the glyph image lists, one TGlyphList per image
// size, so that the state images of every button of a size share one list.
//
// A glyph asks for the list of its image size when it builds its first image (the list is
// created on that first request) and gives it back once it has removed its images; a list is
// destroyed when it is given back empty.
// TButtonGlyph: a button's glyph strip, its transparent colour and image count, and the state
// images built from it on first use, held in the shared TGlyphList of their size. Any change to
// the strip, the count or the colours discards the images, which gives their slots back.

class QPainter;

namespace velorine::controls {

// The colour that is not drawn: the bottom-left pixel, or white for a monochrome strip.
QColor TransparentColourOf(const QImage& strip);

// Which image of a strip of `count` images serves `state`. Pressed has its own image only in a
// strip of five.
int SourceImageIndex(GlyphState state, int count);

// Where a disabled image is drawn: on the button face of an opaque button, or straight on what
// lies behind a transparent one.
enum class DisabledBackground { Face, None };

// The ready-to-draw image of `state`: a masked copy of its source image, or for the disabled
// state an image recoloured from image 1 of a strip of two or more, embossed from the single image
// otherwise, on the button face or (DisabledBackground::None) on nothing. Colours come from
// `colours`. A strip drawn for a device pixel ratio other than 1 gives images of that ratio; the
// pixels of a strip with an alpha channel keep their own transparency.
QImage BuildStateImage(const QImage& strip, int count, const QColor& transparent, GlyphState state,
                       const QPalette& colours, DisabledBackground background = DisabledBackground::Face);

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

class TGlyphList;

class TButtonGlyph {
public:
    TButtonGlyph();
    ~TButtonGlyph();
    TButtonGlyph(const TButtonGlyph&) = delete;
    TButtonGlyph& operator=(const TButtonGlyph&) = delete;

    const QImage& Strip() const { return strip_; }

    // Copies the strip. A strip whose width is a whole number of squares gets that many images,
    // or one image when there would be more than five; any other shape keeps the count.
    void SetStrip(const QImage& strip);

    int Count() const { return count_; }
    void SetCount(int count);

    // The size of one image of the strip on the button, empty when there is no strip. A strip
    // drawn for a device pixel ratio of 2 has twice as many pixels each way for the same size.
    QSize ImageSize() const;

    // Draws the image of `state` with its top-left corner at `at`; nothing without a strip. The
    // disabled image lies on the button face or, for a transparent button, on what is behind it.
    void Draw(QPainter& painter, QPoint at, GlyphState state, const QPalette& colours,
              DisabledBackground background = DisabledBackground::Face);

    void DiscardImages();

private:
    static constexpr int kNoSlot = -1;

    QImage strip_;
    QSize PixelImageSize() const;

    QColor transparent_;
    DisabledBackground disabledBackground_ = DisabledBackground::Face;
    int count_ = 1;
    TGlyphList* list_ = nullptr;
    std::array<int, kGlyphStateCount> slots_;
};

}  // namespace velorine::controls
