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

    // One image of the strip; empty when there is no strip.
    QSize ImageSize() const;

    // Draws the image of `state` with its top-left corner at `at`; nothing without a strip.
    void Draw(QPainter& painter, QPoint at, GlyphState state, const QPalette& colours);

    void DiscardImages();

private:
    static constexpr int kNoSlot = -1;

    QImage strip_;
    QColor transparent_;
    int count_ = 1;
    TGlyphList* list_ = nullptr;
    std::array<int, kGlyphStateCount> slots_;
};

}  // namespace velorine::controls
