#pragma once
// The birthday list as a calendar (iCalendar, RFC 5545, UTF-8) that calendar programs read.
//
// One all-day yearly event per person whose birth date gives a birthday ("Anniversaire d'Hélène
// Martin (1970)": the birth year where it is known, so that the age can be read; the birth date in
// its description) and, when a name-day list is given, one per feast of the person's first name
// ("Fête de Jean Dupont"): the events the reminders would announce. Each falls on the day the
// reminders use in every year: 29 February is 29 February in leap years and 1 March in the others,
// as the reminders count it. Every DTSTART is a DATE. A birth year before 1604 counts as unknown.
//
// With alarmDays > 0, each event carries an alarm (VALARM, DISPLAY) that goes off that many days
// before it, at 9 in the morning: the reminders' horizon, where calendar programs and phones remind.
//
// Each event's UID is made from the person's surname, first name and birth date (and the feast's
// day), so a calendar program that identifies events by UID updates them when it reads the file
// again; two identical records give one event.
//
// The events are built and serialised by libical, which folds and escapes the texts, and written
// out one by one: a list of a million people never has its calendar held whole.

#include <ctime>
#include <functional>
#include <string>
#include <vector>

#include "reminders/name_day_list.h"
#include "store/byte_sink.h"
#include "store/record_store.h"
#include "store/failure.h"

namespace velorine::contacts {

// Hands every record of a list to `visit`, in order: those of a vector, or those of a data file
// one at a time (store::forEachRecordIn).
using RecordVisitor = std::function<void(const store::BirthdayRecord&)>;
using RecordSource = std::function<void(const RecordVisitor& visit)>;
RecordSource recordsOf(const std::vector<store::BirthdayRecord>& records);

// The calendar's own line that says what it was made from (calendar_upkeep.h).
inline constexpr char kFingerprintProperty[] = "X-VELORINE-EMPREINTE";

// The longest alarm: a year ahead.
inline constexpr int kLongestAlarm = 365;

// What the calendar holds beside the birthdays.
struct CalendarContent {
    const reminders::NameDayList* nameDays = nullptr;  // null: no name days
    int alarmDays = 0;                                 // 1 to kLongestAlarm; 0: no alarm
    // Written as the calendar's X-VELORINE-EMPREINTE, for the calendar kept up to date
    // (calendar_upkeep.h); empty: none.
    std::string fingerprint;
};

struct CalendarCounts {
    int birthdays = 0;
    int nameDays = 0;
};

// The calendar of the records (in Windows-1252 as the data file holds them) handed to `write`
// piece by piece; `stamp` is the DTSTAMP of every event. False when `write` refused a piece
// (nothing more is made then).
bool writeCalendar(const RecordSource& records, const CalendarContent& content, std::time_t stamp,
                   const store::ByteSink& write, CalendarCounts& counts);

struct CalendarText {
    std::string text;  // the whole iCalendar file, UTF-8
    int birthdays = 0;
    int nameDays = 0;
};

// The same in one text.
CalendarText calendarOf(const std::vector<store::BirthdayRecord>& records, const CalendarContent& content,
                        std::time_t stamp);

struct CalendarExport {
    store::Failure failure = store::Failure::None;  // None when the file was written
    int birthdays = 0;
    int nameDays = 0;
};

// The calendar written to `path` in one step (the old file, or the whole new one, never a part).
// The caller has asked calendar_target.h whether `path` may be replaced.
CalendarExport exportCalendar(const std::string& path, const RecordSource& records, const CalendarContent& content,
                              std::time_t stamp);

}  // namespace velorine::contacts
