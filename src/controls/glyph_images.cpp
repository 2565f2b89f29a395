#include "controls/glyph_images.h"

#include <QPainter>

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

}  // namespace velorine::controls
