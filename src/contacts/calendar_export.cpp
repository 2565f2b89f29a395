#include "contacts/calendar_export.h"

#include <libical/ical.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <unordered_set>

#include "reminders/next_occurrence.h"
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

// A vowel of Windows-1252, accented or not (Œ and Æ included).
bool isVowel(unsigned char c) {
    constexpr std::string_view kPlain = "AEIOUYaeiouy";
    if (kPlain.find(static_cast<char>(c)) != std::string_view::npos) return true;
    const bool upperAccented =
        (c >= 0xC0 && c <= 0xC6) || (c >= 0xC8 && c <= 0xCF) || (c >= 0xD2 && c <= 0xD6) || (c >= 0xD8 && c <= 0xDD);
    return upperAccented || (c >= 0xE0 && c != 0xE7 && c != 0xF0 && c != 0xF1 && c != 0xF7 && c != 0xFE) || c == 0x8C ||
           c == 0x9C || c == 0x9F;
}

// French elides "de" before a vowel and a mute h: "d'Hélène", "d'Yves", "de Jean".
std::string_view articleBefore(std::string_view cp1252Name) {
    if (cp1252Name.empty()) return "de ";
    const auto first = static_cast<unsigned char>(cp1252Name[0]);
    const bool muteH =
        (first == 'H' || first == 'h') && cp1252Name.size() > 1 && isVowel(static_cast<unsigned char>(cp1252Name[1]));
    return isVowel(first) || muteH ? "d'" : "de ";
}

// A birth year that gives an age: the data file's 1604 and anything before it stand for none.
bool isKnownYear(int year) { return year > store::kUnknownBirthYear && year <= 9999; }

// "d'Hélène Martin", UTF-8: first name and surname, the first name left out when there is none.
std::string ofPerson(const store::BirthdayRecord& record) {
    const std::string name = record.firstName.empty() ? record.surname : record.firstName + " " + record.surname;
    return store::cp1252ToUtf8(std::string(articleBefore(name)) + name);
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

// The alarm `days` days before an all-day event, at 9 in the morning: the event starts at midnight.
Component alarmBefore(int days, const std::string& text) {
    constexpr unsigned kMorningHour = 9;
    icaltriggertype trigger{};
    trigger.time = icaltime_null_time();
    trigger.duration = icaldurationtype_null_duration();
    trigger.duration.is_neg = 1;
    trigger.duration.days = static_cast<unsigned>(days - 1);
    trigger.duration.hours = 24 - kMorningHour;
    Component alarm(icalcomponent_new_valarm());
    icalcomponent_add_property(alarm.get(), icalproperty_new_action(ICAL_ACTION_DISPLAY));
    icalcomponent_add_property(alarm.get(), icalproperty_new_trigger(trigger));
    icalcomponent_add_property(alarm.get(), icalproperty_new_description(text.c_str()));
    return alarm;
}

struct YearlyDay {
    int day = 0;
    int month = 0;
    int startYear = kStartOfYearlyDays;
};

Component yearlyEvent(const std::string& uid, const std::string& summary, const YearlyDay& when,
                      const icaltimetype& stamp, int alarmDays) {
    Component event(icalcomponent_new_vevent());
    icalcomponent_add_property(event.get(), icalproperty_new_uid(uid.c_str()));
    icalcomponent_add_property(event.get(), icalproperty_new_dtstamp(stamp));
    // Said outright: libical leaves VALUE=DATE out for some years, and readers then skip the event.
    icalproperty* start = icalproperty_new_dtstart(dayOf(when.day, when.month, when.startYear));
    icalproperty_add_parameter(start, icalparameter_new_value(ICAL_VALUE_DATE));
    icalcomponent_add_property(event.get(), start);
    icalcomponent_add_property(event.get(), icalproperty_new_rrule(yearlyRule(when.day, when.month)));
    icalcomponent_add_property(event.get(), icalproperty_new_summary(summary.c_str()));
    icalcomponent_add_property(event.get(), icalproperty_new_transp(ICAL_TRANSP_TRANSPARENT));
    if (alarmDays > 0) icalcomponent_add_component(event.get(), alarmBefore(alarmDays, summary).release());
    return event;
}

std::string birthDescription(const store::CalendarDate& birth) {
    char day[8];
    std::snprintf(day, sizeof day, "%02d/%02d", birth.day, birth.month);
    std::string text = "Date de naissance : ";
    text += isKnownYear(birth.year) ? store::displayDate(birth) : std::string(day) + " (année inconnue)";
    if (birth.day == 29 && birth.month == 2) text += "\nLes années sans 29 février, le 1er mars.";
    return text;
}

// The birthday event, or nothing when the birth date gives no birthday (the reminders skip it too).
Component birthdayEvent(const store::BirthdayRecord& record, const std::string& personId, const icaltimetype& stamp,
                        int alarmDays) {
    const auto birth = store::scanSlashedDate(record.birthDate);
    if (!birth || !reminders::isYearlyDay(birth->day, birth->month)) return nullptr;
    const bool yearKnown = isKnownYear(birth->year) && store::isRealDate(*birth);
    std::string summary = "Anniversaire " + ofPerson(record);
    if (yearKnown) summary += " (" + std::to_string(birth->year) + ")";
    Component event =
        yearlyEvent(personId + "-anniversaire@velorine", summary,
                    {birth->day, birth->month, yearKnown ? birth->year : kStartOfYearlyDays}, stamp, alarmDays);
    icalcomponent_add_property(event.get(), icalproperty_new_description(birthDescription(*birth).c_str()));
    return event;
}

Component nameDayEvent(const store::BirthdayRecord& record, const std::string& personId,
                       const reminders::FeastDay& feast, const icaltimetype& stamp, int alarmDays) {
    char uid[64];
    std::snprintf(uid, sizeof uid, "-fete-%02d%02d@velorine", feast.day, feast.month);
    return yearlyEvent(personId + uid, "Fête " + ofPerson(record), {feast.day, feast.month}, stamp, alarmDays);
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

bool writeCalendar(const RecordSource& records, const CalendarContent& content, std::time_t stamp,
                   const store::ByteSink& write, CalendarCounts& counts) {
    Component calendar(icalcomponent_new_vcalendar());
    icalcomponent_add_property(calendar.get(), icalproperty_new_version("2.0"));
    icalcomponent_add_property(calendar.get(), icalproperty_new_prodid("-//Velorine//Velorine 2.0//FR"));
    icalcomponent_add_property(calendar.get(), icalproperty_new_calscale("GREGORIAN"));
    if (!content.fingerprint.empty()) {
        icalproperty* mark = icalproperty_new_x(content.fingerprint.c_str());
        icalproperty_set_x_name(mark, kFingerprintProperty);
        icalcomponent_add_property(calendar.get(), mark);
    }
    // The events go where libical would have put them: before the calendar's last line.
    const std::string frame = serialised(calendar.get());
    const std::size_t end = frame.rfind("END:VCALENDAR");
    bool written = write(std::string_view(frame).substr(0, end));
    const icaltimetype stampTime = icaltime_from_timet_with_zone(stamp, 0, icaltimezone_get_utc_timezone());
    const int alarmDays = std::clamp(content.alarmDays, 0, kLongestAlarm);
    // Each event is serialised and freed as soon as it is built.
    const auto writeEvent = [&](Component event) { written = written && write(serialised(event.get())); };
    std::unordered_set<std::uint64_t> people;
    records([&](const store::BirthdayRecord& record) {
        if (!written) return;
        const std::uint64_t person = personHashOf(record);
        if (!people.insert(person).second) return;
        const std::string personId = personIdOf(person);
        if (Component event = birthdayEvent(record, personId, stampTime, alarmDays)) {
            writeEvent(std::move(event));
            ++counts.birthdays;
        }
        if (!content.nameDays) return;
        for (const reminders::FeastDay& feast : content.nameDays->feastDaysOf(record.firstName)) {
            writeEvent(nameDayEvent(record, personId, feast, stampTime, alarmDays));
            ++counts.nameDays;
        }
    });
    return written && write(std::string_view(frame).substr(end));
}

CalendarText calendarOf(const std::vector<store::BirthdayRecord>& records, const CalendarContent& content,
                        std::time_t stamp) {
    CalendarText result;
    CalendarCounts counts;
    writeCalendar(
        recordsOf(records), content, stamp,
        [&result](std::string_view piece) {
            result.text.append(piece);
            return true;
        },
        counts);
    result.birthdays = counts.birthdays;
    result.nameDays = counts.nameDays;
    return result;
}

CalendarExport exportCalendar(const std::string& path, const RecordSource& records, const CalendarContent& content,
                              std::time_t stamp) {
    CalendarCounts counts;
    const store::Result<> written = store::writeFileReplacing(
        path, [&](const store::ByteSink& write) { return writeCalendar(records, content, stamp, write, counts); });
    return {written.failure(), counts.birthdays, counts.nameDays};
}

}  // namespace velorine::contacts
