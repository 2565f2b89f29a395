#include "controls/button_face.h"

#include <QPainter>

namespace velorine::controls {

namespace {

enum class Sides { TopLeft, BottomRight };

// One-pixel lines along two sides of `r`; the top-left pair spans the full height and width,
// so drawn last it owns the top-right and bottom-left corners.
void DrawEdge(QPainter& painter, const QRect& r, Sides sides, const QColor& colour) {
    if (sides == Sides::TopLeft) {
        painter.fillRect(r.left(), r.top(), r.width(), 1, colour);
        painter.fillRect(r.left(), r.top(), 1, r.height(), colour);
    } else {
        painter.fillRect(r.left(), r.bottom(), r.width(), 1, colour);
        painter.fillRect(r.right(), r.top(), 1, r.height(), colour);
    }
}

QRect DrawRaised(QPainter& painter, const QRect& r, bool soft, const QPalette& colours) {
    DrawEdge(painter, r, Sides::BottomRight, colours.color(soft ? QPalette::Dark : QPalette::Shadow));
    DrawEdge(painter, r, Sides::TopLeft, colours.color(QPalette::Light));
    if (!soft) {
        DrawEdge(painter, r.adjusted(1, 1, -1, -1), Sides::BottomRight, colours.color(QPalette::Dark));
    }
    return r.adjusted(1, 1, -2, -2);
}

QRect DrawSunken(QPainter& painter, const QRect& r, bool soft, const QPalette& colours) {
    DrawEdge(painter, r, Sides::TopLeft, colours.color(soft ? QPalette::Dark : QPalette::Shadow));
    DrawEdge(painter, r, Sides::BottomRight, colours.color(QPalette::Light));
    if (!soft) {
        DrawEdge(painter, r.adjusted(1, 1, -1, -1), Sides::TopLeft, colours.color(QPalette::Dark));
    }
    return r.adjusted(2, 2, -1, -1);
}

}  // namespace

QRect DrawButtonFace(QPainter& painter, const QRect& client, FrameLook look, const FaceStyle& style,
                     const QPalette& colours) {
    if (!style.transparent) {
        painter.fillRect(client, colours.color(QPalette::Button));
    }
    switch (look) {
        case FrameLook::Raised: return DrawRaised(painter, client, style.softShading, colours);
        case FrameLook::Sunken: return DrawSunken(painter, client, style.softShading, colours);
        case FrameLook::Flat:
        case FrameLook::NotComputed: break;
    }
    return client.adjusted(1, 1, -2, -2);
}

const QImage& DitherTile(const QColor& face) {
    static QRgb builtFor = 0;
    static QImage tile;
    if (tile.isNull() || builtFor != face.rgb()) {
        builtFor = face.rgb();
        tile = QImage(8, 8, QImage::Format_RGB32);
        for (int row = 0; row < 8; ++row) {
            for (int column = 0; column < 8; ++column) {
                tile.setPixel(column, row, row % 2 == column % 2 ? qRgb(255, 255, 255) : builtFor);
            }
        }
    }
    return tile;
}

}  // namespace velorine::controls
