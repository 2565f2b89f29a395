#pragma once
// What every window of a run shares: the start-up state (the name-day flag changes during the run),
// the configuration file, the clock and the dialogs seam.

#include <string>

#include "app/startup.h"
#include "store/civil_calendar.h"
#include "ui/user_dialogs.h"

namespace velorine::ui {

struct RunContext {
    app::StartupState startup;
    std::string configFilePath;  // velorine.conf: the user's date separator
    store::TodayClock today;
    UserDialogs& dialogs;
};

}  // namespace velorine::ui
