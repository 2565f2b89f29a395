#include "reminders/built_in_name_days.h"

namespace velorine::reminders {

const NameDayList& builtInNameDays() {
    static const NameDayList list = NameDayList::load();
    return list;
}

}  // namespace velorine::reminders
