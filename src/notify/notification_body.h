#pragma once
// The body of the reminder notification: the lines of the reminder list, one a line, as the window
// lists them. A bubble is no list that scrolls: after kShownLines lines, one more says how many are
// left out (« … et 3 autres »). Where the server reads the body as markup, every line is escaped,
// so that a name is shown as typed ("<b>Fils</b>" stays as it is, "Dupont & Fils" too).

#include <QString>

#include <string>
#include <vector>

namespace velorine::notify {

inline constexpr int kShownLines = 8;

// `lines` are UTF-8.
QString notificationBody(const std::vector<std::string>& lines, bool markup);

// The text as the server shows it: escaped where it reads markup.
QString notificationText(const QString& text, bool markup);

}  // namespace velorine::notify
