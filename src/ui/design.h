#pragma once
// The look the windows were designed with: colour numbers as stored and as drawn, the light design
// palette, the design fonts, and the program-wide tooltip switch.
//
// Colour numbers as the data file stores them: red in the lowest byte, then green, then blue. The
// number 536870911 (0x1FFFFFFF) means "no colour of its own": the parent's shows through. Any other
// top byte is ignored when drawing; callers keep the number itself to store it back unchanged.

#include <QColor>
#include <QFont>
#include <QPalette>
#include <QString>

class QWidget;

namespace velorine::ui {

inline constexpr long long kNoColourNumber = 0x1FFFFFFF;
inline constexpr long long kRedNumber = 255;
inline constexpr long long kNavyNumber = 0x800000;
inline constexpr long long kBlueNumber = 16711680;

// An invalid QColor for kNoColourNumber.
QColor colourFromNumber(long long number);
// The number of a colour, top byte 0.
long long numberFromColour(const QColor& colour);

// Colour numbers on screen: a widget's palette role drawn in a stored colour, and the number a
// colour chooser's answer stands for.

// Draws the role in the number's colour. The number of "no colour of its own" shows the parent's
// colour instead: its background for a background role (Window, Base), its text colour otherwise.
void setPaletteColour(QWidget& widget, QPalette::ColorRole role, long long colourNumber);

// The number to keep after the chooser, preset with `stored`, answered `chosen`: the stored number
// itself when the colour is the one it draws (the user cancelled, or chose it again), so a top
// byte or a negative number survives; otherwise the chosen colour's number.
int colourNumberAfterChoice(int stored, const QColor& chosen);

// The light palette the windows were designed with, whatever the desktop's theme, and how a widget
// whose texts keep fixed design colours gets the fixed background that goes with them.
//
// A text drawn in a fixed colour (navy, blue, a colour the user chose) stays readable only on the
// background it was chosen for: under a dark desktop theme the palette's own background would
// leave it nearly invisible. Texts in the palette's colours, on the other hand, keep the palette's
// backgrounds. Under the default light palette both give what the windows always showed.

// The light palette of the design, built once: the standard light palette of the built-in style,
// with a selection colour dark enough for white text (at least 4.5:1). It does not follow the
// application's palette.
const QPalette& designPalette();

// The widget and its children are drawn with the design palette; the roles the widget already set
// (its own colours) are kept.
void useDesignPalette(QWidget& widget);

// The widget paints its own rectangle in the design palette's window colour behind its texts.
void useDesignBackground(QWidget& widget);

// The fonts the windows were designed with, and the installed families of close metrics that stand
// in for them: Liberation Sans (Arial's widths) for "MS Sans Serif" and "Arial", DejaVu Sans for
// "Verdana". Sizes are in pixels, so every text fits the box it was designed for.

QFont designFont(const QString& family, int pixelSize, bool bold = false);

// The program-wide tooltip switch: when it is off, no window of the running program shows a
// tooltip. The switch belongs to the application object: a new application starts with it on.

void setTooltipsShown(bool shown);
bool tooltipsShown();
void toggleTooltips();

}  // namespace velorine::ui
