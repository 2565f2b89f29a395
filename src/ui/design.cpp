#include "ui/design.h"

#include <QApplication>
#include <QCoreApplication>
#include <QEvent>
#include <QObject>
#include <QStringList>
#include <QStyle>
#include <QStyleFactory>
#include <QWidget>

#include <memory>

namespace velorine::ui {

QColor colourFromNumber(long long number) {
    if (number == kNoColourNumber) return {};
    return QColor(static_cast<int>(number & 0xFF), static_cast<int>((number >> 8) & 0xFF),
                  static_cast<int>((number >> 16) & 0xFF));
}

long long numberFromColour(const QColor& colour) {
    return colour.red() | (colour.green() << 8) | (static_cast<long long>(colour.blue()) << 16);
}

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

namespace {

QString standInFor(const QString& family) {
    if (family.compare(QStringLiteral("Verdana"), Qt::CaseInsensitive) == 0) return QStringLiteral("DejaVu Sans");
    return QStringLiteral("Liberation Sans");
}

}  // namespace

QFont designFont(const QString& family, int pixelSize, bool bold) {
    QFont font;
    font.setFamilies({family, standInFor(family)});
    font.setPixelSize(pixelSize);
    font.setBold(bold);
    return font;
}

namespace {

// Sits in front of every object of the application and swallows tooltip requests while the
// switch is off.
class TooltipGate final : public QObject {
public:
    explicit TooltipGate(QCoreApplication& application) : QObject(&application) {
        setObjectName(QStringLiteral("velorineTooltipGate"));
        application.installEventFilter(this);
    }
    bool shown = true;

protected:
    bool eventFilter(QObject*, QEvent* event) override { return !shown && event->type() == QEvent::ToolTip; }
};

TooltipGate* gate() {
    QCoreApplication* application = QCoreApplication::instance();
    if (!application) return nullptr;
    if (auto* existing =
            application->findChild<TooltipGate*>(QStringLiteral("velorineTooltipGate"), Qt::FindDirectChildrenOnly))
        return existing;
    return new TooltipGate(*application);
}

}  // namespace

void setTooltipsShown(bool shown) {
    if (TooltipGate* g = gate()) g->shown = shown;
}

bool tooltipsShown() {
    const TooltipGate* g = gate();
    return !g || g->shown;
}

void toggleTooltips() { setTooltipsShown(!tooltipsShown()); }

}  // namespace velorine::ui
