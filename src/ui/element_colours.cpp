#include "ui/element_colours.h"

#include <QApplication>
#include <QWidget>

#include "ui/colours.h"

namespace velorine::ui {
namespace {

QColor parentColour(const QWidget& widget, QPalette::ColorRole role) {
    const bool background = role == QPalette::Window || role == QPalette::Base;
    const QPalette inherited = widget.parentWidget() ? widget.parentWidget()->palette() : QApplication::palette();
    return inherited.color(background ? QPalette::Window : QPalette::WindowText);
}

}  // namespace

void setPaletteColour(QWidget& widget, QPalette::ColorRole role, long long colourNumber) {
    const QColor own = colourFromNumber(colourNumber);
    QPalette palette = widget.palette();
    palette.setColor(role, own.isValid() ? own : parentColour(widget, role));
    widget.setPalette(palette);
}

int colourNumberAfterChoice(int stored, const QColor& chosen) {
    if (chosen == colourFromNumber(stored)) return stored;
    return static_cast<int>(numberFromColour(chosen));
}

}  // namespace velorine::ui
