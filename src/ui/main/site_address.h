#pragma once
// The program's web site, shown in the status bar and opened by its link. Under the reserved
// ".example" name it can never point to somebody else's site.

#include <QString>
#include <QUrl>

namespace velorine::ui {

inline QString siteAddress() { return QStringLiteral("www.velorine.example"); }

// The link adds the query that tells the site where the visitor comes from.
inline QUrl siteUrl() { return QUrl(QStringLiteral("https://") + siteAddress() + QStringLiteral("/?pgm=velorine")); }

}  // namespace velorine::ui
