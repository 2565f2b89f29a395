#include "ui/colours.h"

namespace velorine::ui {

QColor colourFromNumber(long long number) {
    if (number == kNoColourNumber) return {};
    return QColor(static_cast<int>(number & 0xFF), static_cast<int>((number >> 8) & 0xFF),
                  static_cast<int>((number >> 16) & 0xFF));
}

long long numberFromColour(const QColor& colour) {
    return colour.red() | (colour.green() << 8) | (static_cast<long long>(colour.blue()) << 16);
}

}  // namespace velorine::ui
