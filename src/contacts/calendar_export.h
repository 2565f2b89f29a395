#pragma once
// The birthday list as a calendar (iCalendar, RFC 5545, UTF-8) that any calendar program imports.
//
// One all-day yearly event per person whose birth date gives a birthday ("Anniversaire de Prénom
// Nom", the birth date in its description) and, when a name-day list is given, one per feast of
// the person's first name ("Fête de Prénom Nom"): the events the reminders would announce. Each
// falls on the day the reminders use in every year: 29 February is 29 February in leap years and
// 1 March in the others, as the reminders count it. Each event's UID is made from the person's
// surname, first name and birth date (and the feast's day), so a calendar importing the file again
// updates its events instead of adding them twice; two identical records give one event.
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

struct CalendarCounts {
    int birthdays = 0;
    int nameDays = 0;
};

// The calendar of the records (in Windows-1252 as the data file holds them) handed to `write`
// piece by piece; nameDays null for no name days; `stamp` is the DTSTAMP of every event. False
// when `write` refused a piece (nothing more is made then).
bool writeCalendar(const RecordSource& records, const reminders::NameDayList* nameDays, std::time_t stamp,
                   const store::ByteSink& write, CalendarCounts& counts);

struct CalendarText {
    std::string text;  // the whole iCalendar file, UTF-8
    int birthdays = 0;
    int nameDays = 0;
};

// The same in one text.
CalendarText calendarOf(const std::vector<store::BirthdayRecord>& records, const reminders::NameDayList* nameDays,
                        std::time_t stamp);

struct CalendarExport {
    store::Failure failure = store::Failure::None;  // None when the file was written
    int birthdays = 0;
    int nameDays = 0;
};

// The calendar written to `path` in one step (the old file, or the whole new one, never a part).
CalendarExport exportCalendar(const std::string& path, const RecordSource& records,
                              const reminders::NameDayList* nameDays, std::time_t stamp);

}  // namespace velorine::contacts
