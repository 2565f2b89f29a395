#include "ui/glyph_button.h"

#include <QPushButton>

#include "ui/pictures.h"

namespace velorine::ui {

QPushButton* addGlyphButton(QWidget* parent, const QString& name, const QString& text, const QString& glyph,
                            const QRect& geometry) {
    auto* button = new QPushButton(twoImageGlyph(glyph), text, parent);
    button->setObjectName(name);
    button->setGeometry(geometry);
    button->setIconSize(QSize(18, 18));
    return button;
}

}  // namespace velorine::ui
