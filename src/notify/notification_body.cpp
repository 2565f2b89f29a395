#include "notify/notification_body.h"

#include <QStringList>

namespace velorine::notify {

QString notificationText(const QString& text, bool markup) { return markup ? text.toHtmlEscaped() : text; }

QString notificationBody(const std::vector<std::string>& lines, bool markup) {
    QStringList shown;
    for (std::size_t i = 0; i < lines.size() && i < std::size_t{kShownLines}; ++i)
        shown << notificationText(QString::fromStdString(lines[i]), markup);
    const std::size_t left = lines.size() > std::size_t{kShownLines} ? lines.size() - kShownLines : 0;
    if (left == 1) shown << QStringLiteral("… et 1 autre");
    if (left > 1) shown << QStringLiteral("… et %1 autres").arg(left);
    return shown.join(QLatin1Char('\n'));
}

}  // namespace velorine::notify
