#pragma once

// The face of a flat button: its bevel in each look, and the dither of the down state.

#include <QImage>
#include <QPalette>
#include <QRect>

#include "controls/button_types.h"

class QPainter;

namespace velorine::controls {

struct FaceStyle {
    bool softShading = false;  // a thin one-pixel bevel instead of two pixels on the shadow side
    bool transparent = false;  // edges only: what lies behind shows through
};

// Draws the bevel of `look` on `client` (filled with the button face unless transparent) and
// returns the rectangle left for the content. The content of a sunken face sits one pixel
// further right and down than in the other looks.
QRect DrawButtonFace(QPainter& painter, const QRect& client, FrameLook look, const FaceStyle& style,
                     const QPalette& colours);

// The 8 × 8 tile of the down state: button face, white where row and column are both even or
// both odd. Built once and shared; built again only for another face colour.
const QImage& DitherTile(const QColor& face);

}  // namespace velorine::controls
