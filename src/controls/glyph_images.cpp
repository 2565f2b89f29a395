#include "controls/glyph_images.h"

namespace velorine::controls {

namespace {

bool SameRgb(QRgb a, QRgb b) { return (a & RGB_MASK) == (b & RGB_MASK); }

QImage SourceImage(const QImage& strip, int count, int index) {
    const int width = strip.width() / count;
    return strip.copy(index * width, 0, width, strip.height()).convertToFormat(QImage::Format_ARGB32);
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

QImage Recoloured(QImage image, const QColor& transparent, const QPalette& colours) {
    const QRgb highlight = colours.color(QPalette::Light).rgb();
    const QRgb shadow = colours.color(QPalette::Dark).rgb();
    const QRgb face = colours.color(QPalette::Button).rgb();
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QRgb pixel = image.pixel(x, y);
            if (SameRgb(pixel, qRgb(255, 255, 255))) {
                image.setPixel(x, y, highlight);
            } else if (SameRgb(pixel, qRgb(128, 128, 128))) {
                image.setPixel(x, y, shadow);
            } else if (SameRgb(pixel, transparent.rgb())) {
                image.setPixel(x, y, face);
            } else {
                image.setPixel(x, y, pixel | ~RGB_MASK);
            }
        }
    }
    return image;
}

// The black pixels of the glyph come out engraved in the face: highlight one pixel right and
// down, shadow in place.
QImage Embossed(const QImage& source, const QPalette& colours) {
    QImage image(source.size(), QImage::Format_ARGB32);
    image.fill(colours.color(QPalette::Button));
    const auto forEachBlackPixel = [&](QPoint offset, QRgb colour) {
        for (int y = 0; y < source.height(); ++y) {
            for (int x = 0; x < source.width(); ++x) {
                const QPoint at = QPoint(x, y) + offset;
                if (SameRgb(source.pixel(x, y), qRgb(0, 0, 0)) && image.rect().contains(at)) {
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
                       const QPalette& colours) {
    if (state != GlyphState::Disabled) {
        return Masked(SourceImage(strip, count, SourceImageIndex(state, count)), transparent);
    }
    if (count >= 2) {
        return Recoloured(SourceImage(strip, count, 1), transparent, colours);
    }
    return Embossed(SourceImage(strip, count, 0), colours);
}

}  // namespace velorine::controls
