#include "ui/reminder/date_block_texts.h"

#include <algorithm>
#include <array>

#include "store/civil_calendar.h"

namespace velorine::ui {

namespace {

const std::array<QString, 7> kWeekdays = {
    QStringLiteral("Dimanche"), QStringLiteral("Lundi"),    QStringLiteral("Mardi"),  QStringLiteral("Mercredi"),
    QStringLiteral("Jeudi"),    QStringLiteral("Vendredi"), QStringLiteral("Samedi"),
};

const std::array<QString, 12> kMonths = {
    QStringLiteral("Janvier"),   QStringLiteral("Février"), QStringLiteral("Mars"),     QStringLiteral("Avril"),
    QStringLiteral("Mai"),       QStringLiteral("Juin"),    QStringLiteral("Juillet"),  QStringLiteral("Août"),
    QStringLiteral("Septembre"), QStringLiteral("Octobre"), QStringLiteral("Novembre"), QStringLiteral("Décembre"),
};

// 1 January 1970 was a Thursday.
constexpr long long kThursday = 4;

int daysInYear(int year) { return store::isLeapYear(year) ? 366 : 365; }

}  // namespace

QString weekdayName(const store::CalendarDate& date) {
    const long long weekday = ((store::dayNumber(date) + kThursday) % 7 + 7) % 7;
    return kWeekdays[static_cast<std::size_t>(weekday)];
}

namespace {

// "Janvier" … "Décembre"; month 1 to 12.
QString monthName(int month) { return kMonths[static_cast<std::size_t>(month - 1)]; }

}  // namespace

QString dayAndMonthText(const store::CalendarDate& date) {
    return QString::number(date.day) + QLatin1Char(' ') + monthName(date.month);
}

QString monthAndYearText(int month, int year) { return monthName(month) + QLatin1Char(' ') + QString::number(year); }

QString dayOfYearText(const store::CalendarDate& date) {
    int dayNumber = date.day;
    for (int month = 1; month < date.month; ++month) dayNumber += store::daysInMonth(month, date.year);
    const int daysLeft = daysInYear(date.year) - dayNumber;
    if (daysLeft == 0) return QStringLiteral("Bon Réveillon de la Saint Sylvestre !!!");
    if (dayNumber == 1) return QStringLiteral("1er jour de l'année, il reste %1 jours").arg(daysLeft);
    if (daysLeft == 1) return QStringLiteral("%1 ème jour de l'année, il reste 1 jour").arg(dayNumber);
    return QStringLiteral("%1 ème jour de l'année, il reste %2 jours").arg(dayNumber).arg(daysLeft);
}

namespace {

store::CalendarDate keptReal(int day, int month, int year) {
    return {std::min(day, store::daysInMonth(month, year)), month, year};
}

}  // namespace

store::CalendarDate stepYear(const store::CalendarDate& date, int years) {
    return keptReal(date.day, date.month, date.year + years);
}

store::CalendarDate stepMonth(const store::CalendarDate& date, int months) {
    const int index = date.month - 1 + months;  // months since January of date.year
    const int yearShift = index >= 0 ? index / 12 : -((11 - index) / 12);
    return keptReal(date.day, index - yearShift * 12 + 1, date.year + yearShift);
}

}  // namespace velorine::ui
