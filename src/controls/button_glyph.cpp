#include "controls/button_glyph.h"

#include <QPainter>

#include "controls/glyph_cache.h"
#include "controls/glyph_images.h"

namespace velorine::controls {

TButtonGlyph::TButtonGlyph() : transparent_(Qt::white) { slots_.fill(kNoSlot); }

TButtonGlyph::~TButtonGlyph() { DiscardImages(); }

void TButtonGlyph::SetStrip(const QImage& strip) {
    DiscardImages();
    strip_ = strip;
    if (strip_.isNull()) {
        return;
    }
    transparent_ = TransparentColourOf(strip_);
    if (strip_.width() % strip_.height() == 0) {
        const int squares = strip_.width() / strip_.height();
        count_ = squares > kGlyphStateCount ? 1 : squares;
    }
}

void TButtonGlyph::SetCount(int count) {
    DiscardImages();
    count_ = count;
}

QSize TButtonGlyph::PixelImageSize() const {
    if (strip_.isNull()) {
        return {0, 0};
    }
    return {strip_.width() / count_, strip_.height()};
}

QSize TButtonGlyph::ImageSize() const {
    const QSize pixels = PixelImageSize();
    const qreal ratio = strip_.devicePixelRatio();
    return {qRound(pixels.width() / ratio), qRound(pixels.height() / ratio)};
}

void TButtonGlyph::Draw(QPainter& painter, QPoint at, GlyphState state, const QPalette& colours,
                        DisabledBackground background) {
    const QSize size = PixelImageSize();
    if (size.isEmpty()) {
        return;
    }
    if (background != disabledBackground_) {
        DiscardImages();
        disabledBackground_ = background;
    }
    int& slot = slots_[static_cast<std::size_t>(state)];
    if (slot == kNoSlot) {
        if (list_ == nullptr) {
            list_ = TGlyphCache::Instance().GetList(size);
        }
        slot = list_->Add(BuildStateImage(strip_, count_, transparent_, state, colours, background));
    }
    painter.drawImage(at, list_->Image(slot));
}

void TButtonGlyph::DiscardImages() {
    if (list_ == nullptr) {
        return;
    }
    for (int& slot : slots_) {
        list_->Delete(slot);
        slot = kNoSlot;
    }
    TGlyphCache::Instance().ReturnList(list_);
    list_ = nullptr;
}

}  // namespace velorine::controls
