#pragma once

// The images a glyph strip gives for each button state. A strip holds up to five images side by
// side, one per glyph state (normal, disabled, sleeping, down, pressed); a state without its
// own image uses the normal one.

#include <QColor>
#include <QImage>
#include <QPalette>

#include "controls/button_types.h"

namespace velorine::controls {

// The colour that is not drawn: the bottom-left pixel, or white for a monochrome strip.
QColor TransparentColourOf(const QImage& strip);

// Which image of a strip of `count` images serves `state`. Pressed has its own image only in a
// strip of five.
int SourceImageIndex(GlyphState state, int count);

// Where a disabled image is drawn: on the button face of an opaque button, or straight on what
// lies behind a transparent one.
enum class DisabledBackground { Face, None };

// The ready-to-draw image of `state`: a masked copy of its source image, or for the disabled
// state an image recoloured from image 1 of a strip of two or more, embossed from the single image
// otherwise, on the button face or (DisabledBackground::None) on nothing. Colours come from
// `colours`. A strip drawn for a device pixel ratio other than 1 gives images of that ratio; the
// pixels of a strip with an alpha channel keep their own transparency.
QImage BuildStateImage(const QImage& strip, int count, const QColor& transparent, GlyphState state,
                       const QPalette& colours, DisabledBackground background = DisabledBackground::Face);

}  // namespace velorine::controls
