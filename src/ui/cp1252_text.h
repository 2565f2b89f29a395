#pragma once
// The edge between the data file's Windows-1252 bytes and the texts of the windows. Every text
// read from the store is shown through textFromCp1252, every text typed goes back through
// cp1252FromText; nothing else converts.

#include <QString>

#include <optional>
#include <string>
#include <string_view>

namespace velorine::ui {

QString textFromCp1252(std::string_view bytes);

// Nothing when the text holds a character that Windows-1252 cannot hold.
std::optional<std::string> cp1252FromText(const QString& text);

// The first character of the text that Windows-1252 cannot hold (a whole surrogate pair counts as
// one), or an empty text when it can hold them all.
QString firstCharacterOutsideCp1252(const QString& text);

}  // namespace velorine::ui
