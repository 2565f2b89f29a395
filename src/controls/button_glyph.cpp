#include "controls/button_glyph.h"

#include <QPainter>

#include <algorithm>
#include <cstdlib>

namespace velorine::controls {

namespace {

bool SameRgb(QRgb a, QRgb b) { return (a & RGB_MASK) == (b & RGB_MASK); }

// Drawn smoothly, a strip's white and grey come out a shade off at the edges of its shapes.
bool NearRgb(QRgb a, QRgb b) {
    constexpr int kTolerance = 3;
    return std::abs(qRed(a) - qRed(b)) <= kTolerance && std::abs(qGreen(a) - qGreen(b)) <= kTolerance &&
           std::abs(qBlue(a) - qBlue(b)) <= kTolerance;
}

QRgb WithAlpha(QRgb colour, int alpha) { return qRgba(qRed(colour), qGreen(colour), qBlue(colour), alpha); }

QImage SourceImage(const QImage& strip, int count, int index) {
    const int width = strip.width() / count;
    return strip.copy(index * width, 0, width, strip.height()).convertToFormat(QImage::Format_ARGB32);
}

// The image on an opaque face: what the recolouring left see-through shows the face.
QImage OnFace(const QImage& image, const QPalette& colours) {
    QImage opaque(image.size(), QImage::Format_ARGB32);
    opaque.fill(colours.color(QPalette::Button));
    QPainter painter(&opaque);
    painter.drawImage(0, 0, image);
    return opaque;
}

QImage Masked(QImage image, const QColor& transparent) {
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (SameRgb(image.pixel(x, y), transparent.rgb())) {
                image.setPixel(x, y, qRgba(0, 0, 0, 0));
            }
        }
    }
    return image;
}

// White becomes the highlight, grey the shadow; the transparent colour is left see-through.
QImage Recoloured(QImage image, const QColor& transparent, const QPalette& colours) {
    const QRgb highlight = colours.color(QPalette::Light).rgb();
    const QRgb shadow = colours.color(QPalette::Dark).rgb();
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QRgb pixel = image.pixel(x, y);
            const int alpha = qAlpha(pixel);
            if (alpha == 0 || SameRgb(pixel, transparent.rgb())) {
                image.setPixel(x, y, qRgba(0, 0, 0, 0));
            } else if (NearRgb(pixel, qRgb(255, 255, 255))) {
                image.setPixel(x, y, WithAlpha(highlight, alpha));
            } else if (NearRgb(pixel, qRgb(128, 128, 128))) {
                image.setPixel(x, y, WithAlpha(shadow, alpha));
            }
        }
    }
    return image;
}

// The black pixels of the glyph come out engraved in the face: highlight one pixel right and
// down, shadow in place.
QImage Embossed(const QImage& source, const QPalette& colours, DisabledBackground background) {
    QImage image(source.size(), QImage::Format_ARGB32);
    image.fill(background == DisabledBackground::Face ? colours.color(QPalette::Button) : QColor(Qt::transparent));
    const auto forEachBlackPixel = [&](QPoint offset, QRgb colour) {
        for (int y = 0; y < source.height(); ++y) {
            for (int x = 0; x < source.width(); ++x) {
                const QPoint at = QPoint(x, y) + offset;
                const QRgb pixel = source.pixel(x, y);
                if (qAlpha(pixel) != 0 && SameRgb(pixel, qRgb(0, 0, 0)) && image.rect().contains(at)) {
                    image.setPixel(at, colour);
                }
            }
        }
    };
    forEachBlackPixel({1, 1}, colours.color(QPalette::Light).rgb());
    forEachBlackPixel({0, 0}, colours.color(QPalette::Dark).rgb());
    return image;
}

}  // namespace

QColor TransparentColourOf(const QImage& strip) {
    if (strip.isNull() || strip.depth() == 1) {
        return Qt::white;
    }
    return QColor::fromRgb(strip.pixel(0, strip.height() - 1));
}

int SourceImageIndex(GlyphState state, int count) {
    const int index = static_cast<int>(state);
    if (state == GlyphState::Pressed) {
        return count == kGlyphStateCount ? index : 0;
    }
    return index < count ? index : 0;
}

QImage BuildStateImage(const QImage& strip, int count, const QColor& transparent, GlyphState state,
                       const QPalette& colours, DisabledBackground background) {
    QImage image;
    if (state != GlyphState::Disabled) {
        image = Masked(SourceImage(strip, count, SourceImageIndex(state, count)), transparent);
    } else if (count >= 2) {
        image = Recoloured(SourceImage(strip, count, 1), transparent, colours);
        if (background == DisabledBackground::Face) {
            image = OnFace(image, colours);
        }
    } else {
        image = Embossed(SourceImage(strip, count, 0), colours, background);
    }
    image.setDevicePixelRatio(strip.devicePixelRatio());
    return image;
}

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
