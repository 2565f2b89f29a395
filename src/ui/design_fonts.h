#pragma once
// The fonts the windows were designed with, and the installed families of close metrics that stand
// in for them: Liberation Sans (Arial's widths) for "MS Sans Serif" and "Arial", DejaVu Sans for
// "Verdana". Sizes are in pixels, so every text fits the box it was designed for.

#include <QFont>
#include <QString>

namespace velorine::ui {

QFont designFont(const QString& family, int pixelSize, bool bold = false);

}  // namespace velorine::ui
