// The reminder window's date commands: the reference date moved by a day or 30, or taken from the
// date picker, and the activation steps run again for it.
#include <QCalendarWidget>
#include <QDate>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>

#include "store/civil_calendar.h"
#include "ui/reminder/date_block_texts.h"
#include "ui/reminder/reminder_window.h"

namespace velorine::ui {
namespace {

constexpr long long kMonthOfDays = 30;

int stepOf(TUDBtnType button) { return button == TUDBtnType::btNext ? 1 : -1; }

}  // namespace

void TFRappel::setReferenceDate(const store::CalendarDate& day) {
    context_.startup.referenceDate = day;
    FormActivate();
}

void TFRappel::moveReferenceDate(long long days) {
    setReferenceDate(store::addDays(context_.startup.referenceDate, days));
}

void TFRappel::UpDown2Click(TUDBtnType button) { moveReferenceDate(stepOf(button)); }
void TFRappel::MenuItem1Click() { moveReferenceDate(1); }
void TFRappel::MenuItem2Click() { moveReferenceDate(-1); }
void TFRappel::Avancerladatedunmois1Click() { moveReferenceDate(kMonthOfDays); }
void TFRappel::Reculerladatedunmois1Click() { moveReferenceDate(-kMonthOfDays); }

void TFRappel::MenuItem3Click() {
    Panel3->show();
    Group2->show();
    Panel3->raise();
    Group2->raise();
    showCalendarDate(context_.startup.referenceDate);
    Calendar1->setFocus(Qt::OtherFocusReason);
}

store::CalendarDate TFRappel::calendarDate() const {
    const QDate shown = Calendar1->selectedDate();
    return {shown.day(), shown.month(), shown.year()};
}

void TFRappel::showCalendarDate(const store::CalendarDate& day) {
    const QDate date(day.year, day.month, day.day);
    Calendar1->setSelectedDate(date);
    Calendar1->setCurrentPage(day.year, day.month);
    Label21->setText(monthAndYearText(day.month, day.year));
}

void TFRappel::UpDown1Click(TUDBtnType button) { showCalendarDate(stepYear(calendarDate(), stepOf(button))); }

void TFRappel::UpDown3Click(TUDBtnType button) { showCalendarDate(stepMonth(calendarDate(), stepOf(button))); }

void TFRappel::Calendar1DblClick() {
    hideDatePicker();
    setReferenceDate(calendarDate());
}

void TFRappel::hideDatePicker() {
    const bool focusInside = Group2->isAncestorOf(focusWidget());
    Group2->hide();
    Panel3->hide();
    forgetCalendarDay();
    // Back where the picker was asked for.
    if (focusInside) Panel2->setFocus(Qt::OtherFocusReason);
}

void TFRappel::Panel1MouseMove(const QPoint& where) {
    // Only the bare background: a move over any control on it is that control's.
    if (Group2->isVisible() && !Panel1->childAt(where)) hideDatePicker();
}

}  // namespace velorine::ui
