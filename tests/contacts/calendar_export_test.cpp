// The exported calendar read back, by libical and by a second reader: one event per person and per
// name day, on the reminders' days in every year, with stable UIDs.

#include <gtest/gtest.h>
#include <libical/ical.h>

#include <sys/stat.h>

#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include "contacts/calendar_export.h"
#include "reminders/next_occurrence.h"
#include "store/civil_calendar.h"
#include "store/cp1252.h"
#include "support/child_process.h"
#include "support/temp_dir.h"

namespace velorine::contacts {
namespace {

using testing::readFile;
using testing::TempDir;
using testing::writeFile;

constexpr std::time_t kStamp = 1796000000;  // 2026-11-30 UTC

struct Event {
    std::string uid, summary, description;
    icaltimetype start;
    icalrecurrencetype rule;
    std::string alarm;          // the trigger of its one DISPLAY alarm, as written; empty when it has none
    bool startIsADate = false;  // DTSTART says VALUE=DATE
};

// The alarm's trigger as libical reads it, checking that it is a display alarm with a text.
std::string alarmOf(icalcomponent* event) {
    icalcomponent* alarm = icalcomponent_get_first_component(event, ICAL_VALARM_COMPONENT);
    if (!alarm) return {};
    EXPECT_EQ(icalcomponent_get_next_component(event, ICAL_VALARM_COMPONENT), nullptr);
    EXPECT_EQ(icalproperty_get_action(icalcomponent_get_first_property(alarm, ICAL_ACTION_PROPERTY)),
              ICAL_ACTION_DISPLAY);
    EXPECT_STREQ(icalcomponent_get_description(alarm), icalcomponent_get_summary(event));
    const icaltriggertype trigger =
        icalproperty_get_trigger(icalcomponent_get_first_property(alarm, ICAL_TRIGGER_PROPERTY));
    return icaldurationtype_as_ical_string(trigger.duration);
}

std::vector<Event> eventsIn(const std::string& text, std::time_t stamp = kStamp) {
    icalcomponent* calendar = icalparser_parse_string(text.c_str());
    EXPECT_NE(calendar, nullptr);
    std::vector<Event> events;
    if (!calendar) return events;
    for (icalcomponent* e = icalcomponent_get_first_component(calendar, ICAL_VEVENT_COMPONENT); e;
         e = icalcomponent_get_next_component(calendar, ICAL_VEVENT_COMPONENT)) {
        icalproperty* rule = icalcomponent_get_first_property(e, ICAL_RRULE_PROPERTY);
        icalproperty* stamped = icalcomponent_get_first_property(e, ICAL_DTSTAMP_PROPERTY);
        EXPECT_NE(rule, nullptr);
        EXPECT_NE(stamped, nullptr);
        if (!rule || !stamped) continue;
        EXPECT_EQ(icaltime_as_timet(icalproperty_get_dtstamp(stamped)), stamp);
        const char* description = icalcomponent_get_description(e);
        icalproperty* start = icalcomponent_get_first_property(e, ICAL_DTSTART_PROPERTY);
        icalparameter* value = icalproperty_get_first_parameter(start, ICAL_VALUE_PARAMETER);
        events.push_back({icalcomponent_get_uid(e), icalcomponent_get_summary(e), description ? description : "",
                          icalcomponent_get_dtstart(e), icalproperty_get_rrule(rule), alarmOf(e),
                          value && icalparameter_get_value(value) == ICAL_VALUE_DATE});
    }
    icalcomponent_free(calendar);
    return events;
}

// The days the event falls on from 2024 to 2031, as the calendar expands its rule.
std::vector<store::CalendarDate> daysOf(const Event& event) {
    std::vector<store::CalendarDate> days;
    icalrecur_iterator* it = icalrecur_iterator_new(event.rule, event.start);
    for (icaltimetype day = icalrecur_iterator_next(it); !icaltime_is_null_time(day) && day.year < 2032;
         day = icalrecur_iterator_next(it)) {
        if (day.year >= 2024) days.push_back({day.day, day.month, day.year});
    }
    icalrecur_iterator_free(it);
    return days;
}

// The days the reminders count for day/month from 2024 to 2031.
std::vector<store::CalendarDate> reminderDaysOf(int day, int month) {
    std::vector<store::CalendarDate> days;
    for (int year = 2024; year < 2032; ++year) {
        const auto next = reminders::nextOccurrence(day, month, {1, 1, year});
        const store::CalendarDate occurrence{day, month, year};
        days.push_back(store::isRealDate(occurrence) ? occurrence : store::CalendarDate{1, 3, year});
        EXPECT_EQ(next.year, year);
    }
    return days;
}

store::BirthdayRecord person(std::string_view firstName, std::string_view surname, std::string birthDate) {
    return {store::utf8ToCp1252(surname).value(), store::utf8ToCp1252(firstName).value(), std::move(birthDate), "", ""};
}

const std::vector<store::BirthdayRecord> kPeople = {
    person("Hélène", "Lefèvre", "14/07/1985"),
    person("Auguste", "Roux", "29/02/1980"),
    person("Zoé", "Roux", "29/02/1604"),
    person("Luc", "Blanc", "31/12/1604"),
    person("Jean", "Petit", "illisible"),
    person("Hélène", "Lefèvre", "14/07/1985"),  // the same person twice: one event
};

TEST(CalendarExport, PutsEveryBirthdayOnTheRemindersDayOfEveryYear) {
    const CalendarText calendar = calendarOf(kPeople, {}, kStamp);
    EXPECT_EQ(calendar.birthdays, 4);
    EXPECT_EQ(calendar.nameDays, 0);
    const std::vector<Event> events = eventsIn(calendar.text);
    ASSERT_EQ(events.size(), 4u);
    const struct {
        const char* summary;
        int day, month, startYear;
        const char* description;
    } expected[] = {
        {"Anniversaire d'Hélène Lefèvre (1985)", 14, 7, 1985, "Date de naissance : 14/07/1985"},
        {"Anniversaire d'Auguste Roux (1980)", 29, 2, 1980,
         "Date de naissance : 29/02/1980\nLes années sans 29 février, le 1er mars."},
        {"Anniversaire de Zoé Roux", 29, 2, 2000,
         "Date de naissance : 29/02 (année inconnue)\nLes années sans 29 février, le 1er mars."},
        {"Anniversaire de Luc Blanc", 31, 12, 2000, "Date de naissance : 31/12 (année inconnue)"},
    };
    for (std::size_t i = 0; i < events.size(); ++i) {
        const Event& e = events[i];
        EXPECT_EQ(e.summary, expected[i].summary);
        EXPECT_EQ(e.description, expected[i].description);
        EXPECT_TRUE(e.start.is_date) << e.summary;
        EXPECT_EQ(e.start.year, expected[i].startYear) << e.summary;
        EXPECT_EQ(daysOf(e), reminderDaysOf(expected[i].day, expected[i].month)) << e.summary;
        EXPECT_TRUE(e.uid.ends_with("-anniversaire@velorine")) << e.uid;
    }
    EXPECT_NE(calendar.text.find("RRULE:FREQ=YEARLY;BYYEARDAY=60\r\n"), std::string::npos);
}

TEST(CalendarExport, AddsTheNameDaysTheRemindersWouldAnnounce) {
    const reminders::NameDayList nameDays = reminders::NameDayList::load();
    const CalendarText calendar = calendarOf(kPeople, {&nameDays, 0, {}}, kStamp);
    std::size_t expectedNameDays = 0;
    for (std::size_t i = 0; i < 5; ++i) expectedNameDays += nameDays.feastDaysOf(kPeople[i].firstName).size();
    EXPECT_GT(expectedNameDays, 0u);
    EXPECT_EQ(calendar.nameDays, static_cast<int>(expectedNameDays));
    std::map<std::string, int> uids;
    for (const Event& e : eventsIn(calendar.text)) {
        ++uids[e.uid];
        if (!e.summary.starts_with("Fête ")) continue;
        const auto dash = e.uid.find("-fete-");
        ASSERT_NE(dash, std::string::npos) << e.uid;
        const int day = std::stoi(e.uid.substr(dash + 6, 2));
        const int month = std::stoi(e.uid.substr(dash + 8, 2));
        EXPECT_EQ(e.start.day, day);
        EXPECT_EQ(e.start.month, month);
        EXPECT_EQ(daysOf(e), reminderDaysOf(day, month)) << e.summary;
    }
    EXPECT_EQ(uids.size(), static_cast<std::size_t>(calendar.birthdays + calendar.nameDays));
    for (const auto& [uid, count] : uids) EXPECT_EQ(count, 1) << uid;
}

TEST(CalendarExport, GivesEachPersonTheSameUidWhereverTheyAreInTheList) {
    const std::vector<Event> once = eventsIn(calendarOf({kPeople[0], kPeople[1]}, {}, kStamp).text);
    const std::vector<Event> later =
        eventsIn(calendarOf({kPeople[3], kPeople[1], kPeople[0]}, {}, kStamp + 99).text, kStamp + 99);
    ASSERT_EQ(once.size(), 2u);
    ASSERT_EQ(later.size(), 3u);
    EXPECT_EQ(once[0].uid, later[2].uid);
    EXPECT_EQ(once[1].uid, later[1].uid);
    EXPECT_NE(once[0].uid, once[1].uid);
}

// "UID|SUMMARY|DTSTART|RRULE|TRANSPARENT|TRIGGER", as read_calendar.py prints an event.
std::string lineOf(const Event& event) {
    char day[16];
    std::snprintf(day, sizeof day, "%04d-%02d-%02d", event.start.year, event.start.month, event.start.day);
    char* rule = icalrecurrencetype_as_string_r(const_cast<icalrecurrencetype*>(&event.rule));
    std::string line = event.uid + "|" + event.summary + "|" + day + "|" + rule + "|TRANSPARENT|" + event.alarm + "\n";
    icalmemory_free_buffer(rule);
    return line;
}

TEST(CalendarExport, HandsTheCalendarOnEventByEventAndStopsWhenAWriteFails) {
    std::vector<std::string> pieces;
    CalendarCounts counts;
    EXPECT_TRUE(writeCalendar(
        recordsOf(kPeople), {}, kStamp,
        [&pieces](std::string_view piece) {
            pieces.emplace_back(piece);
            return true;
        },
        counts));
    EXPECT_EQ(counts.birthdays, 4);
    ASSERT_EQ(pieces.size(), 4u + 2u);  // the calendar's head, each event, its end
    EXPECT_TRUE(pieces[1].starts_with("BEGIN:VEVENT\r\n"));
    EXPECT_EQ(pieces.back(), "END:VCALENDAR\r\n");
    std::string joined;
    for (const std::string& piece : pieces) joined += piece;
    EXPECT_EQ(joined, calendarOf(kPeople, {}, kStamp).text);

    std::size_t calls = 0;
    CalendarCounts stopped;
    EXPECT_FALSE(writeCalendar(
        recordsOf(kPeople), {}, kStamp, [&calls](std::string_view) { return ++calls < 2; }, stopped));
    EXPECT_EQ(calls, 2u);
    EXPECT_EQ(stopped.birthdays, 1);
}

TEST(CalendarExport, WritesAFileASecondReaderAgreesWith) {
    TempDir dir;
    const std::string path = dir.file("agenda.ics");
    const reminders::NameDayList nameDays = reminders::NameDayList::load();
    const CalendarExport written = exportCalendar(path, recordsOf(kPeople), {&nameDays, 7, {}}, kStamp);
    ASSERT_EQ(written.failure, store::Failure::None);
    EXPECT_EQ(written.birthdays, 4);
    const auto read = velorine::testing::runProcess("/usr/bin/python3", {VELORINE_CALENDAR_READER, path},
                                                    {{"PATH", "/usr/bin:/bin"}});
    ASSERT_EQ(read.exitStatus, 0) << read.standardError;
    const std::vector<Event> events = eventsIn(readFile(path));
    ASSERT_EQ(events.size(), static_cast<std::size_t>(written.birthdays + written.nameDays));
    std::string byLibical;
    for (const Event& event : events) byLibical += lineOf(event);
    EXPECT_EQ(read.standardOutput, byLibical);
    EXPECT_NE(read.standardOutput.find(
                  "|Anniversaire de Zoé Roux|2000-02-29|FREQ=YEARLY;BYYEARDAY=60|TRANSPARENT|-P6DT15H\n"),
              std::string::npos);
    EXPECT_NE(
        read.standardOutput.find("|Anniversaire d'Hélène Lefèvre (1985)|1985-07-14|FREQ=YEARLY|TRANSPARENT|-P6DT15H\n"),
        std::string::npos);
}

TEST(CalendarExport, ReplacesTheFileWholeOrLeavesItAsItWas) {
    TempDir dir;
    const std::string path = dir.file("agenda.ics");
    writeFile(path, "ancien");
    ASSERT_EQ(::chmod(path.c_str(), 0444), 0);
    EXPECT_EQ(exportCalendar(path, recordsOf(kPeople), {}, kStamp).failure, store::Failure::ReadOnlyFile);
    EXPECT_EQ(readFile(path), "ancien");
    EXPECT_EQ(exportCalendar(dir.path(), recordsOf(kPeople), {}, kStamp).failure, store::Failure::Directory);
    EXPECT_EQ(exportCalendar(dir.file("absent/agenda.ics"), recordsOf(kPeople), {}, kStamp).failure,
              store::Failure::DirectoryMissing);
    ASSERT_EQ(::chmod(path.c_str(), 0644), 0);
    EXPECT_EQ(exportCalendar(path, recordsOf(kPeople), {}, kStamp).failure, store::Failure::None);
    EXPECT_TRUE(readFile(path).starts_with("BEGIN:VCALENDAR\r\n"));
    EXPECT_EQ(testing::listDirectory(dir.path()), "agenda.ics ");  // no temporary file left
}

TEST(CalendarExport, GivesEveryEventAnAlarmInTheMorningOfTheHorizonsFirstDay) {
    for (const int days : {0, 1, 3, 7}) {
        const std::vector<Event> events = eventsIn(calendarOf(kPeople, {nullptr, days, {}}, kStamp).text);
        ASSERT_EQ(events.size(), 4u);
        for (const Event& e : events) {
            if (days == 0) {
                EXPECT_EQ(e.alarm, "") << e.summary;
                continue;
            }
            // From the event's midnight, back to 9 in the morning `days` days before.
            icaltimetype rings = e.start;
            rings.is_date = 0;
            rings = icaltime_add(rings, icaldurationtype_from_string(e.alarm.c_str()));
            icaltimetype expected = e.start;
            expected.is_date = 0;
            icaltime_adjust(&expected, -days, 9, 0, 0);
            EXPECT_EQ(icaltime_compare(rings, expected), 0) << e.summary << " " << e.alarm;
        }
    }
}

TEST(CalendarExport, WritesEveryStartAsADateAndTheAgeOnlyWhereTheYearIsKnown) {
    const std::vector<store::BirthdayRecord> people = {
        person("Jean", "Vieux", "01/01/0001"),  // a placeholder year of an old import
        person("Léa", "Dumas", "05/05/1603"),
        person("Léa", "Dumas", "05/05/1990"),
    };
    const CalendarText calendar = calendarOf(people, {}, kStamp);
    EXPECT_EQ(calendar.text.find("DTSTART:"), std::string::npos);
    const std::vector<Event> events = eventsIn(calendar.text);
    ASSERT_EQ(events.size(), 3u);
    for (const Event& e : events) EXPECT_TRUE(e.startIsADate) << e.summary;
    EXPECT_EQ(events[0].summary, "Anniversaire de Jean Vieux");
    EXPECT_EQ(events[0].start.year, 2000);
    EXPECT_EQ(events[1].summary, "Anniversaire de Léa Dumas");
    EXPECT_EQ(events[2].summary, "Anniversaire de Léa Dumas (1990)");
}

TEST(CalendarExport, ElidesTheArticleBeforeAVowelOrAMuteH) {
    const struct {
        const char* firstName;
        const char* surname;
        const char* summary;
    } cases[] = {
        {"Hélène", "Martin", "Anniversaire d'Hélène Martin (1970)"},
        {"Hugo", "Roy", "Anniversaire d'Hugo Roy (1970)"},
        {"Élodie", "Roy", "Anniversaire d'Élodie Roy (1970)"},
        {"Œdipe", "Roy", "Anniversaire d'Œdipe Roy (1970)"},
        {"Anne", "Roy", "Anniversaire d'Anne Roy (1970)"},
        {"Yves", "Roy", "Anniversaire d'Yves Roy (1970)"},
        {"Jean", "Roy", "Anniversaire de Jean Roy (1970)"},
        {"", "Maman", "Anniversaire de Maman (1970)"},  // no first name: no stray blank
        {"", "Oncle", "Anniversaire d'Oncle (1970)"},
    };
    for (const auto& c : cases) {
        const std::vector<Event> events =
            eventsIn(calendarOf({person(c.firstName, c.surname, "02/03/1970")}, {}, kStamp).text);
        ASSERT_EQ(events.size(), 1u);
        EXPECT_EQ(events[0].summary, c.summary);
    }
}

}  // namespace
}  // namespace velorine::contacts
