#include "ui/design_palette.h"

#include <QStyle>
#include <QStyleFactory>
#include <QWidget>

#include <memory>

namespace velorine::ui {
namespace {

QPalette buildDesignPalette() {
    const std::unique_ptr<QStyle> style(QStyleFactory::create(QStringLiteral("Fusion")));
    QPalette palette = style ? style->standardPalette() : QPalette(QColor(239, 239, 239));
    // The built-in selection blue gives white text 3.7:1 only.
    for (auto group : {QPalette::Active, QPalette::Inactive}) {
        palette.setColor(group, QPalette::Highlight, QColor(0, 102, 204));
        palette.setColor(group, QPalette::HighlightedText, Qt::white);
    }
    // Every role set, so that a widget given this palette inherits none from a darker parent.
    for (int group = 0; group < QPalette::NColorGroups; ++group) {
        for (int role = 0; role < QPalette::NColorRoles; ++role) {
            const auto g = static_cast<QPalette::ColorGroup>(group);
            const auto r = static_cast<QPalette::ColorRole>(role);
            palette.setBrush(g, r, palette.brush(g, r));
        }
    }
    return palette;
}

}  // namespace

const QPalette& designPalette() {
    static const QPalette palette = buildDesignPalette();
    return palette;
}

void useDesignPalette(QWidget& widget) {
    const QPalette own = widget.palette();
    QPalette palette = designPalette();
    for (int group = 0; group < QPalette::NColorGroups; ++group) {
        for (int role = 0; role < QPalette::NColorRoles; ++role) {
            const auto g = static_cast<QPalette::ColorGroup>(group);
            const auto r = static_cast<QPalette::ColorRole>(role);
            if (own.isBrushSet(g, r)) palette.setBrush(g, r, own.brush(g, r));
        }
    }
    widget.setPalette(palette);
}

void useDesignBackground(QWidget& widget) {
    QPalette palette = widget.palette();
    palette.setColor(QPalette::Window, designPalette().color(QPalette::Window));
    widget.setPalette(palette);
    widget.setAutoFillBackground(true);
}

}  // namespace velorine::ui
