#pragma once
// The program's executables: where each lies, and how a run passes from one to the next.
//
// The command users run (velorine), the notification (velorine-notification) and the windows
// (velorine-fenetres) each run the start-up themselves and pass the run on, with the same
// arguments and environment, to the next when their part is done.
//
// Where they lie, seen from the directory of one of them: the build tree keeps them side by side;
// the installed tree puts each where the FHS wants it (the command users run in bin, the windows'
// and the notification's executables it hands over to in libexec/velorine, the user guide in
// share/velorine). A file beside the executable wins, so that a build tree runs its own; otherwise
// the path is its place in the installed tree, relative to that directory, so that the tree may be
// installed under any prefix or moved as a whole. Nothing else is checked: a missing file fails
// where it is used, and the path returned is the one to name in the message.

#include <string>

#include "app/previous_version_recovery.h"

namespace velorine::app {

// The windows' executable, for the command users run lying in `commandDirectory` (or for the
// notification's executable, which lies beside it).
std::string windowsExecutableFrom(const std::string& commandDirectory);
// The notification's executable (the automatic start's reminder on the desktop), for the command
// users run lying in `commandDirectory`; installed beside the windows' executable.
std::string notificationExecutableFrom(const std::string& commandDirectory);
// The command users run, for the windows' executable lying in `windowsDirectory` (a self-restart
// goes through the whole start-up again).
std::string commandFrom(const std::string& windowsDirectory);
// Velor.rtf, the user guide, for the windows' executable lying in `windowsDirectory`.
std::string userGuideFrom(const std::string& windowsDirectory);

// Replaces this process by `executable` run with `argv` (argv[0] included, as given). When it cannot
// start, says why on standard error, in French, and ends the process with status 2.
[[noreturn]] void handOverTo(const std::string& executable, char** argv);
// The same to the windows' executable that lies with the running one.
[[noreturn]] void handOverToWindows(char** argv);
// For the executables that show no window: the previous version's list is offered in a window, so
// the recovery hands the run over to the windows' executable, which starts it over and asks.
// Nothing has been decided by then that the windows would not decide the same way.
RecoveryDialogs recoveryInTheWindows(char** argv);

}  // namespace velorine::app
