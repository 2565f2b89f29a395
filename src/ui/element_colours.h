#pragma once
// Colour numbers on screen: a widget's palette role drawn in a stored colour, and the number a
// colour chooser's answer stands for.

#include <QColor>
#include <QPalette>

class QWidget;

namespace velorine::ui {

// Draws the role in the number's colour. The number of "no colour of its own" shows the parent's
// colour instead: its background for a background role (Window, Base), its text colour otherwise.
void setPaletteColour(QWidget& widget, QPalette::ColorRole role, long long colourNumber);

// The number to keep after the chooser, preset with `stored`, answered `chosen`: the stored number
// itself when the colour is the one it draws (the user cancelled, or chose it again), so a top
// byte or a negative number survives; otherwise the chosen colour's number.
int colourNumberAfterChoice(int stored, const QColor& chosen);

}  // namespace velorine::ui
