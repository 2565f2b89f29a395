#pragma once

// Small pixel helpers shared by the control tests.

#include <QColor>
#include <QFont>
#include <QImage>
#include <QPainter>
#include <QRect>

namespace velorine::controls::testing {

inline int CountPixels(const QImage& image, const QRect& area, const QColor& colour) {
    int count = 0;
    const QRect inside = area.intersected(image.rect());
    for (int y = inside.top(); y <= inside.bottom(); ++y) {
        for (int x = inside.left(); x <= inside.right(); ++x) {
            count += image.pixelColor(x, y).rgb() == colour.rgb() ? 1 : 0;
        }
    }
    return count;
}

inline bool AllPixels(const QImage& image, const QRect& area, const QColor& colour) {
    return CountPixels(image, area, colour) == area.width() * area.height();
}

inline QImage Solid(QSize size, const QColor& colour) {
    QImage image(size, QImage::Format_RGB32);
    image.fill(colour);
    return image;
}

inline const QColor kOlive(128, 128, 0);
inline const QColor kGreen(0, 160, 0);

// A glyph strip of two 18 × 18 images on olive (its transparent colour): a green 10 × 10 square,
// and its disabled version, the same square in white.
inline QImage TwoImageStrip() {
    QImage strip = Solid({36, 18}, kOlive);
    QPainter painter(&strip);
    painter.fillRect(4, 4, 10, 10, kGreen);
    painter.fillRect(22, 4, 10, 10, Qt::white);
    return strip;
}

// Text without antialiasing, so that its pixels are exactly the colour it is drawn in.
inline QFont CrispFont(int pixelSize, bool bold = false) {
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(pixelSize);
    font.setBold(bold);
    font.setStyleStrategy(QFont::NoAntialias);
    return font;
}

}  // namespace velorine::controls::testing
