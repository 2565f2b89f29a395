#pragma once
// How a TIEButton looks, apart from its glyph: the look each situation gives (state), where glyph,
// caption and arrow go (layout), and the painting of face, caption and drop-down arrow. Pure
// functions of their arguments, so they are tested without a window.

#include <QColor>
#include <QFontMetrics>
#include <QImage>
#include <QPalette>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>

#include <cstdint>

// How a flat button looks in each situation: its frame and the glyph image it shows.
// Where a flat button places its glyph, caption and drop-down arrow inside its content
// rectangle. All divisions truncate toward zero; all positions are relative to the content
// rectangle's top-left corner.
// The caption and the drop-down arrow of a flat button. Disabled, both are drawn engraved:
// white one pixel right and down, then grey (128, 128, 128) in place.

class QPainter;
// The face of a flat button: its bevel in each look, and the dither of the down state.

namespace velorine::controls {

// Where the glyph sits with respect to the caption; the values are those a form stores.
enum TButtonLayout : std::uint8_t {
    blGlyphLeft = 0,
    blGlyphRight = 1,
    blGlyphTop = 2,
    blGlyphBottom = 3,
};

enum class FrameLook : std::uint8_t {
    Raised = 0,
    Flat = 1,
    Sunken = 2,
    NotComputed = 3,  // after creation, until the first paint or state change
};

// Also the index of the image that serves the state in a full glyph strip.
enum class GlyphState : std::uint8_t {
    Normal = 0,
    Disabled = 1,
    Sleeping = 2,
    Down = 3,
    Pressed = 4,
};

constexpr int kGlyphStateCount = 5;

struct ButtonSituation {
    bool enabled = true;
    bool down = false;         // latched by its group
    bool mouseInside = false;  // the pointer is over it
    bool pressed = false;      // the left button went down on it and has not come up
    bool standardButton = false;
};

struct ButtonLook {
    FrameLook frame = FrameLook::NotComputed;
    GlyphState glyph = GlyphState::Normal;
    bool operator==(const ButtonLook&) const = default;
};

// Disabled first, then down, then hot (sunken while pressed), else sleeping; a standard button
// is never flat nor sleeping.
ButtonLook LookFor(const ButtonSituation& situation);

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

// Centred in `box` on one line, or word-wrapped; the background is left as it is.
void DrawCaption(QPainter& painter, const QRect& box, const QString& caption, bool wordWrap, bool disabled,
                 const QColor& colour);

// A solid triangle of 7, 5, 3 and 1 pixels whose first pixel is at `at` + (3, 2): rows pointing
// down, or columns pointing right when `pointingRight`. Black when enabled.
void DrawDropDownArrow(QPainter& painter, QPoint at, bool pointingRight, bool disabled);

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
