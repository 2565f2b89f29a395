#include "ui/main/date_separator.h"

#include <QLocale>

#include "store/data_file.h"

namespace velorine::ui {
namespace {

bool canSeparate(QChar c) { return c.isPrint() && !c.isLetterOrNumber() && !c.isSpace() && c != QLatin1Char(';'); }

// The first character of a date format that is neither a field letter nor a quote.
QChar separatorOfFormat(const QString& format) {
    for (QChar c : format)
        if (!c.isLetter() && c != QLatin1Char('\'')) return c;
    return {};
}

}  // namespace

QChar dateSeparator(const std::string& configFile) {
    const store::IniDocument config = store::snapshot(configFile);
    if (const auto configured = config.find("intl", "sDate"); configured && !configured->empty()) {
        const QString value = QString::fromUtf8(configured->data(), static_cast<qsizetype>(configured->size()));
        if (!value.isEmpty() && canSeparate(value.at(0))) return value.at(0);
    }
    const QChar fromLocale = separatorOfFormat(QLocale().dateFormat(QLocale::ShortFormat));
    return canSeparate(fromLocale) ? fromLocale : QLatin1Char('/');
}

QString dateEntryMask(QChar separator) {
    const QString literal = QStringLiteral("\\") + separator;
    return QStringLiteral("99") + literal + QStringLiteral("99") + literal + QStringLiteral("9999; ");
}

QString dateFormatHint(QChar separator) { return withSeparators(QStringLiteral("JJ/MM/AAAA"), separator); }

QString withSeparators(QString text, QChar separator) {
    for (qsizetype place : {2, 5})
        if (place < text.size()) text[place] = separator;
    return text;
}

}  // namespace velorine::ui
