#pragma once
// The reminder window's date block and date picker: their French texts and the steps of the
// picker's year and month arrows.
//
// The French texts of the reminder window's date block and of its date picker: the day of the
// week, the day and month, the month and year, and the line that says how far into its year a day
// is. Leap years follow the real calendar (2100 has 365 days).

#include <QString>

#include "store/dates.h"

namespace velorine::ui {

// "Dimanche" … "Samedi". The date must be real.
QString weekdayName(const store::CalendarDate& date);
// "4 Décembre".
QString dayAndMonthText(const store::CalendarDate& date);
// "Décembre 2026".
QString monthAndYearText(int month, int year);
// "338 ème jour de l'année, il reste 27 jours", "1er jour de l'année, il reste 364 jours",
// "364 ème jour de l'année, il reste 1 jour", "Bon Réveillon de la Saint Sylvestre !!!" on the last.
QString dayOfYearText(const store::CalendarDate& date);

// The year and month arrows of the reminder window's date picker: a step keeps the date real,
// moving the day back to the last day of the new month when that month is shorter (29 February to
// 28 in a common year, 31 January to 28 or 29 February). Leap years follow the real calendar.

// `years` is +1 or -1.
store::CalendarDate stepYear(const store::CalendarDate& date, int years);
// `months` is +1 or -1; December forward gives January of the next year, January back December of
// the year before.
store::CalendarDate stepMonth(const store::CalendarDate& date, int months);

}  // namespace velorine::ui
