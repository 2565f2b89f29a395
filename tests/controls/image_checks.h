#pragma once

// Small pixel helpers shared by the control tests.

#include <QColor>
#include <QFont>
#include <QImage>
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

// Text without antialiasing, so that its pixels are exactly the colour it is drawn in.
inline QFont CrispFont(int pixelSize, bool bold = false) {
  QFont font(QStringLiteral("DejaVu Sans"));
  font.setPixelSize(pixelSize);
  font.setBold(bold);
  font.setStyleStrategy(QFont::NoAntialias);
  return font;
}

}  // namespace velorine::controls::testing
