#pragma once
// The previous-version recovery's question, its failure message and its restart, in the program's
// own dialogs: the only windows a start can show before it knows whether it has anything to show.
//
// Designer names: none; both are message boxes of UserDialogs: the question "ATTENTION" (yes or
// no: take the previous version's list in) and the failure message "Problème", which gives the
// cause on its second line.

#include <functional>

#include "app/previous_version_recovery.h"
#include "ui/user_dialogs.h"

namespace velorine::ui {

// `beforeEach` runs before each of them: the program creates its application there, so that a start
// that asks nothing never opens the display. `dialogs` must outlive the result.
app::RecoveryDialogs recoveryDialogs(UserDialogs& dialogs, const std::function<void()>& beforeEach);

}  // namespace velorine::ui
