#pragma once
// The process-wide name-day list: the built-in calendar, loaded at its first use and kept until
// the process ends. Callers that do not remind name days never ask for it, so they never pay for
// loading it.

#include "reminders/name_day_list.h"

namespace velorine::reminders {

const NameDayList& builtInNameDays();

}  // namespace velorine::reminders
