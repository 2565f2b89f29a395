#pragma once

// TButtonGlyph: a button's glyph strip, its transparent colour and image count, and the state
// images built from it on first use, held in the shared TGlyphList of their size. Any change to
// the strip, the count or the colours discards the images, which gives their slots back.

#include <QColor>
#include <QImage>
#include <QPalette>
#include <QPoint>
#include <QSize>

#include <array>

#include "controls/button_types.h"
#include "controls/glyph_images.h"

class QPainter;

namespace velorine::controls {

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
