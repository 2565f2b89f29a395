#pragma once
// The two settings of the data file that decide what the reminders cover, read from a snapshot as
// every reader of them does.

#include "store/ini_document.h"

namespace velorine::reminders {

// Rappel/Jours: the reminder horizon in days, "7" when absent, read into a 10-character buffer and
// converted as a plain integer (no digits give 0, a negative value means nothing is ever due).
int horizonIn(const store::IniDocument& snapshot);

// Options/RappelFete: name days are reminded unless its first character is "0"; absent reads "0",
// present but empty means yes.
bool nameDayRemindersIn(const store::IniDocument& snapshot);

}  // namespace velorine::reminders
