#include "ui/design_fonts.h"

#include <QStringList>

namespace velorine::ui {
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

}  // namespace velorine::ui
