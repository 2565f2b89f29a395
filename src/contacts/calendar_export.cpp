#include "contacts/calendar_export.h"

#include <libical/ical.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <unordered_set>

#include "reminders/next_occurrence.h"
#include "reminders/reminder_texts.h"
#include "store/civil_calendar.h"
#include "store/cp1252.h"
#include "store/dates.h"
#include "store/file_copy.h"

namespace velorine::contacts {
namespace {

// The year a yearly event starts when the birth year gives none: a leap year, so that 29
// February is a day of it.
constexpr int kStartOfYearlyDays = 2000;
// 29 February in a leap year, 1 March in the others: the reminders' day for it.
constexpr int kLeapDayOfYear = 60;

struct ComponentDeleter {
    void operator()(icalcomponent* component) const { icalcomponent_free(component); }
};
using Component = std::unique_ptr<icalcomponent, ComponentDeleter>;

std::uint64_t fnv1a(std::string_view text, std::uint64_t hash = 14695981039346656037ULL) {
    for (const char c : text) {
        hash ^= static_cast<unsigned char>(c);
        hash *= 1099511628211ULL;
    }
    return hash;
}

// The same person gives the same number whatever slot they are in and whenever the file is made.
std::uint64_t personHashOf(const store::BirthdayRecord& record) {
    return fnv1a(record.birthDate, fnv1a("\x1F", fnv1a(record.firstName, fnv1a("\x1F", fnv1a(record.surname)))));
}

std::string personIdOf(std::uint64_t hash) {
    char text[17];
    std::snprintf(text, sizeof text, "%016llx", static_cast<unsigned long long>(hash));
    return text;
}

// "Prénom Nom", UTF-8, with the article the name-day lines use: "de Jean Dupont", "d'Anne Roy".
std::string ofPerson(const store::BirthdayRecord& record) {
    const std::string name =
        record.firstName.empty() ? record.surname : reminders::displayNameOf(record.firstName, record.surname);
    return store::cp1252ToUtf8(std::string(reminders::articleBefore(name)) + name);
}

icaltimetype dayOf(int day, int month, int year) {
    icaltimetype date = icaltime_null_date();
    date.day = day;
    date.month = month;
    date.year = year;
    return date;
}

icalrecurrencetype yearlyRule(int day, int month) {
    icalrecurrencetype rule;
    icalrecurrencetype_clear(&rule);
    rule.freq = ICAL_YEARLY_RECURRENCE;
    if (day == 29 && month == 2) {
        rule.by_year_day[0] = kLeapDayOfYear;
        rule.by_year_day[1] = ICAL_RECURRENCE_ARRAY_MAX;
    }
    return rule;
}

Component yearlyEvent(const std::string& uid, const std::string& summary, int day, int month, int startYear,
                      const icaltimetype& stamp) {
    Component event(icalcomponent_new_vevent());
    icalcomponent_add_property(event.get(), icalproperty_new_uid(uid.c_str()));
    icalcomponent_add_property(event.get(), icalproperty_new_dtstamp(stamp));
    icalcomponent_add_property(event.get(), icalproperty_new_dtstart(dayOf(day, month, startYear)));
    icalcomponent_add_property(event.get(), icalproperty_new_rrule(yearlyRule(day, month)));
    icalcomponent_add_property(event.get(), icalproperty_new_summary(summary.c_str()));
    icalcomponent_add_property(event.get(), icalproperty_new_transp(ICAL_TRANSP_TRANSPARENT));
    return event;
}

std::string birthDescription(const store::CalendarDate& birth) {
    char day[8];
    std::snprintf(day, sizeof day, "%02d/%02d", birth.day, birth.month);
    std::string text = "Date de naissance : ";
    text += birth.year == store::kUnknownBirthYear ? std::string(day) + " (année inconnue)" : store::displayDate(birth);
    if (birth.day == 29 && birth.month == 2) text += "\nLes années sans 29 février, le 1er mars.";
    return text;
}

// The birthday event, or nothing when the birth date gives no birthday (the reminders skip it too).
Component birthdayEvent(const store::BirthdayRecord& record, const std::string& personId, const icaltimetype& stamp) {
    const auto birth = store::scanSlashedDate(record.birthDate);
    if (!birth || !reminders::isYearlyDay(birth->day, birth->month)) return nullptr;
    const bool startsAtBirth =
        birth->year != store::kUnknownBirthYear && birth->year >= 1 && birth->year <= 9999 && store::isRealDate(*birth);
    Component event = yearlyEvent(personId + "-anniversaire@velorine", "Anniversaire " + ofPerson(record), birth->day,
                                  birth->month, startsAtBirth ? birth->year : kStartOfYearlyDays, stamp);
    icalcomponent_add_property(event.get(), icalproperty_new_description(birthDescription(*birth).c_str()));
    return event;
}

Component nameDayEvent(const store::BirthdayRecord& record, const std::string& personId,
                       const reminders::FeastDay& feast, const icaltimetype& stamp) {
    char uid[64];
    std::snprintf(uid, sizeof uid, "-fete-%02d%02d@velorine", feast.day, feast.month);
    return yearlyEvent(personId + uid, "Fête " + ofPerson(record), feast.day, feast.month, kStartOfYearlyDays, stamp);
}

std::string serialised(icalcomponent* component) {
    char* text = icalcomponent_as_ical_string_r(component);
    std::string result = text ? text : "";
    std::free(text);
    return result;
}

}  // namespace

RecordSource recordsOf(const std::vector<store::BirthdayRecord>& records) {
    return [&records](const RecordVisitor& visit) {
        for (const store::BirthdayRecord& record : records) visit(record);
    };
}

bool writeCalendar(const RecordSource& records, const reminders::NameDayList* nameDays, std::time_t stamp,
                   const store::ByteSink& write, CalendarCounts& counts) {
    Component calendar(icalcomponent_new_vcalendar());
    icalcomponent_add_property(calendar.get(), icalproperty_new_version("2.0"));
    icalcomponent_add_property(calendar.get(), icalproperty_new_prodid("-//Velorine//Velorine 2.0//FR"));
    icalcomponent_add_property(calendar.get(), icalproperty_new_calscale("GREGORIAN"));
    // The events go where libical would have put them: before the calendar's last line.
    const std::string frame = serialised(calendar.get());
    const std::size_t end = frame.rfind("END:VCALENDAR");
    bool written = write(std::string_view(frame).substr(0, end));
    const icaltimetype stampTime = icaltime_from_timet_with_zone(stamp, 0, icaltimezone_get_utc_timezone());
    // Each event is serialised and freed as soon as it is built.
    const auto writeEvent = [&](Component event) { written = written && write(serialised(event.get())); };
    std::unordered_set<std::uint64_t> people;
    records([&](const store::BirthdayRecord& record) {
        if (!written) return;
        const std::uint64_t person = personHashOf(record);
        if (!people.insert(person).second) return;
        const std::string personId = personIdOf(person);
        if (Component event = birthdayEvent(record, personId, stampTime)) {
            writeEvent(std::move(event));
            ++counts.birthdays;
        }
        if (!nameDays) return;
        for (const reminders::FeastDay& feast : nameDays->feastDaysOf(record.firstName)) {
            writeEvent(nameDayEvent(record, personId, feast, stampTime));
            ++counts.nameDays;
        }
    });
    return written && write(std::string_view(frame).substr(end));
}

CalendarText calendarOf(const std::vector<store::BirthdayRecord>& records, const reminders::NameDayList* nameDays,
                        std::time_t stamp) {
    CalendarText result;
    CalendarCounts counts;
    writeCalendar(
        recordsOf(records), nameDays, stamp,
        [&result](std::string_view piece) {
            result.text.append(piece);
            return true;
        },
        counts);
    result.birthdays = counts.birthdays;
    result.nameDays = counts.nameDays;
    return result;
}

CalendarExport exportCalendar(const std::string& path, const RecordSource& records,
                              const reminders::NameDayList* nameDays, std::time_t stamp) {
    CalendarCounts counts;
    const store::Result<> written = store::writeFileReplacing(
        path, [&](const store::ByteSink& write) { return writeCalendar(records, nameDays, stamp, write, counts); });
    return {written.failure(), counts.birthdays, counts.nameDays};
}

}  // namespace velorine::contacts
