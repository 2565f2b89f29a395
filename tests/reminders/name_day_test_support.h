#pragma once
// What the name-day tests share: the calendar, and test texts written in UTF-8 turned into the
// list's Windows-1252.

#include <ostream>
#include <string>
#include <string_view>

#include "reminders/name_day_list.h"
#include "store/cp1252.h"

namespace velorine::reminders {

inline std::string cp1252(std::string_view utf8) { return store::utf8ToCp1252(utf8).value(); }

inline const NameDayList& builtInCalendar() {
    static const NameDayList list = NameDayList::load();
    return list;
}

inline void PrintTo(const FeastDay& feastDay, std::ostream* out) { *out << feastDay.day << '/' << feastDay.month; }

}  // namespace velorine::reminders
