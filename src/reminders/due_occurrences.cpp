#include "reminders/due_occurrences.h"

#include <climits>
#include <string>
#include <tuple>

#include "reminders/reminder_settings.h"
#include "store/civil_calendar.h"
#include "store/record_slots.h"
#include "store/record_store.h"

namespace velorine::reminders {
namespace {

using store::CalendarDate;
using store::RecordSlots;
using store::SlotField;

// The default of an absent surname, which no real surname equals.
constexpr std::string_view kEndSentinel = "zldsdlelsd";
constexpr std::string_view kLongPastDay = "1 1 1990";

// Compared as numbers rather than as "%04d%02d%02d" texts, which order years past 9999 or
// negative numbers wrongly; for every other date the two orders are the same.
bool isBefore(const CalendarDate& a, const CalendarDate& b) {
    return std::tie(a.year, a.month, a.day) < std::tie(b.year, b.month, b.day);
}

std::optional<SlotBirthday> birthdayOf(const RecordSlots& slots, int slot, const CalendarDate& reference) {
    const auto birth = store::scanSlashedDate(slots.read(slot, SlotField::BirthDate));
    if (!birth || !isYearlyDay(birth->day, birth->month)) return std::nullopt;
    const NextOccurrence next = nextOccurrence(birth->day, birth->month, reference);
    return SlotBirthday{next, next.year - birth->year, birth->year != store::kUnknownBirthYear};
}

// A resume date that does not scan holds nothing back: a damaged value must not silence a
// birthday for good.
bool isHeldBack(const RecordSlots& slots, int slot, const CalendarDate& reference) {
    const auto resume = store::scanDayText(slots.read(slot, SlotField::ResumeDate, kLongPastDay));
    return resume && isBefore(reference, *resume);
}

}  // namespace

void forEachDueOccurrence(const store::IniDocument& snapshot, const NameDayList* nameDays,
                          const CalendarDate& reference, const std::function<bool(const DueOccurrence&)>& visit) {
    if (!store::isRealDate(reference) || reference.year == INT_MAX) return;
    const int horizon = horizonIn(snapshot);
    const RecordSlots slots(snapshot, store::kRecordSection);
    for (int slot = 1;; ++slot) {
        const std::string surname = slots.read(slot, SlotField::Surname, kEndSentinel);
        if (surname == kEndSentinel) return;
        const std::string firstName = slots.read(slot, SlotField::FirstName);
        const auto birthday = surname.empty() ? std::nullopt : birthdayOf(slots, slot, reference);
        if (birthday && birthday->occurrence.dayCount <= horizon && !isHeldBack(slots, slot, reference) &&
            !visit({OccurrenceKind::Birthday, slot, firstName, surname, birthday->occurrence, birthday})) {
            return;
        }
        if (!nameDays) continue;
        for (const FeastDay& feast : nameDays->feastDaysOf(firstName)) {
            const NextOccurrence nameDay = nextOccurrence(feast.day, feast.month, reference);
            if (nameDay.dayCount <= horizon &&
                !visit({OccurrenceKind::NameDay, slot, firstName, surname, nameDay, birthday})) {
                return;
            }
        }
    }
}

}  // namespace velorine::reminders
