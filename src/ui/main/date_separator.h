#pragma once
// The user's date separator, for the birth-date box of the add/modify dialog: the first character
// of [intl] sDate in velorine.conf, else the separator of the locale's short date format, else "/".
// A letter, a digit, a blank or ";" cannot separate the fields of the box and is passed over.

#include <QChar>
#include <QString>

#include <string>

namespace velorine::ui {

QChar dateSeparator(const std::string& configFile);

// "99/99/9999" with the separator in third and sixth place: eight required digits, an unfilled
// place reading as a blank.
QString dateEntryMask(QChar separator);
// "JJ/MM/AAAA" with the separator in third and sixth place.
QString dateFormatHint(QChar separator);
// The text with its third and sixth characters replaced by the separator (a shorter text keeps
// what it has).
QString withSeparators(QString text, QChar separator);

}  // namespace velorine::ui
