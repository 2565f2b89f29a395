#pragma once
// The light palette the windows were designed with, whatever the desktop's theme, and how a widget
// whose texts keep fixed design colours gets the fixed background that goes with them.
//
// A text drawn in a fixed colour (navy, blue, a colour the user chose) stays readable only on the
// background it was chosen for: under a dark desktop theme the palette's own background would
// leave it nearly invisible. Texts in the palette's colours, on the other hand, keep the palette's
// backgrounds. Under the default light palette both give what the windows always showed.

#include <QPalette>

class QWidget;

namespace velorine::ui {

// The light palette of the design, built once: the standard light palette of the built-in style,
// with a selection colour dark enough for white text (at least 4.5:1). It does not follow the
// application's palette.
const QPalette& designPalette();

// The widget and its children are drawn with the design palette; the roles the widget already set
// (its own colours) are kept.
void useDesignPalette(QWidget& widget);

// The widget paints its own rectangle in the design palette's window colour behind its texts.
void useDesignBackground(QWidget& widget);

}  // namespace velorine::ui
