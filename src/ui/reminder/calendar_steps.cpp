#include "ui/reminder/calendar_steps.h"

#include <algorithm>

#include "store/civil_calendar.h"

namespace velorine::ui {
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
