#pragma once
// A generated data file in which nothing is due on a given day: the worst case of the automatic
// start's due test, which then has to look at every slot before it can say no.

#include <string>

#include "store/dates.h"

namespace velorine::bench {

// generateDataFile(records) with name days on and a horizon of 7, every birthday moved 100 days
// after `reference` and every first name whose feast falls within the horizon replaced by one
// whose feasts do not, so that the calendar is still searched for every person.
std::string quietDataFile(int records, const store::CalendarDate& reference);

}  // namespace velorine::bench
