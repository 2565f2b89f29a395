#pragma once
// The daily sync with the address book online, started by the logon gate and left to run on its
// own: the gate never waits for the network.
//
// The command runs detached: in a session of its own, its standard input and outputs on /dev/null,
// and not a child of the caller (which may go on as the reminder window and would otherwise keep a
// finished sync as a zombie until it ends). The caller waits only for the short-lived process that
// starts it, a fork and an exit.

#include <string>

namespace velorine::app {

// velorine-contacts, the command that syncs, for the command users run lying in `commandDirectory`
// (both are user commands, side by side in the build tree as once installed).
std::string contactsCommandFrom(const std::string& commandDirectory);

// Starts `command synchroniser --une-fois-par-jour` detached. False when it could not be started
// (no process, or the command is missing): nothing is then left running.
bool startDailySync(const std::string& command);

}  // namespace velorine::app
