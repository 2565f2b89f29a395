#include "ui/cp1252_text.h"

#include <QStringView>

#include "store/cp1252.h"

namespace velorine::ui {

QString textFromCp1252(std::string_view bytes) {
    const std::string utf8 = store::cp1252ToUtf8(bytes);
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

std::optional<std::string> cp1252FromText(const QString& text) { return store::utf8ToCp1252(text.toStdString()); }

QString firstCharacterOutsideCp1252(const QString& text) {
    for (qsizetype i = 0; i < text.size();) {
        const qsizetype length = text.at(i).isHighSurrogate() && i + 1 < text.size() ? 2 : 1;
        const QString character = text.mid(i, length);
        if (!store::canHoldInCp1252(character.toStdString())) return character;
        i += length;
    }
    return {};
}

}  // namespace velorine::ui
