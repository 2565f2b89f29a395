#pragma once
// Colour numbers as the data file stores them: red in the lowest byte, then green, then blue. The
// number 536870911 (0x1FFFFFFF) means "no colour of its own": the parent's shows through. Any other
// top byte is ignored when drawing; callers keep the number itself to store it back unchanged.

#include <QColor>

namespace velorine::ui {

inline constexpr long long kNoColourNumber = 0x1FFFFFFF;
inline constexpr long long kRedNumber = 255;
inline constexpr long long kNavyNumber = 0x800000;
inline constexpr long long kBlueNumber = 16711680;

// An invalid QColor for kNoColourNumber.
QColor colourFromNumber(long long number);
// The number of a colour, top byte 0.
long long numberFromColour(const QColor& colour);

}  // namespace velorine::ui
