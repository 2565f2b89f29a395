#pragma once
// Where the program's own files lie, seen from the directory of one of its running executables.
// The build tree keeps them side by side; the installed tree puts each where the FHS wants it (the
// command users run in bin, the windows' and the notification's executables it hands over to in
// libexec/velorine, the user guide in share/velorine). A file beside the executable wins, so that a
// build tree runs its own;
// otherwise the path is its place in the installed tree, relative to that directory, so that the
// tree may be installed under any prefix or moved as a whole. Nothing else is checked: a missing
// file fails where it is used, and the path returned is the one to name in the message.

#include <string>

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

}  // namespace velorine::app
