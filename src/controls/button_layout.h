#pragma once

// Where a flat button places its glyph, caption and drop-down arrow inside its content
// rectangle. All divisions truncate toward zero; all positions are relative to the content
// rectangle's top-left corner.

#include <QFontMetrics>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>

#include "controls/button_types.h"

namespace velorine::controls {

struct ButtonLayoutRequest {
    QSize content;  // the content rectangle's size
    QSize glyph;    // one image of the strip; empty when there is no glyph
    QString caption;
    bool dropDownArrow = false;
    bool dropDownArrowHorz = false;
    TButtonLayout layout = blGlyphLeft;
    int margin = -1;  // -1: automatic
    int spacing = 4;  // -1: automatic
    bool wordWrap = false;
};

struct ButtonLayout {
    QPoint glyph;
    QRect caption;  // the measured caption box at its place
    QPoint arrow;
    QSize arrowSize;
};

// The caption flags used both to measure and to draw it: "&" marks the accelerator letter.
int CaptionTextFlags(bool wordWrap);

// With margin and spacing both automatic the leftover space is split in three equal gaps
// (margin, spacing, margin); with only the margin automatic the group is centred. A vertical
// layout without a glyph is laid out as blGlyphLeft.
ButtonLayout CalcButtonLayout(const ButtonLayoutRequest& request, const QFontMetrics& metrics);

}  // namespace velorine::controls
