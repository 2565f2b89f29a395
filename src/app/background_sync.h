#pragma once
// The daily sync with the address book online, started by the logon gate and left to run on its
// own: the gate never waits for the network.
//
// The command runs detached: in a session of its own, its standard input and outputs on /dev/null,
// and at a lower priority (nice 10), so that it never competes with the session being opened. The
// caller waits for nothing: a fork, and it goes on.

#include <string>

namespace velorine::app {

// velorine-contacts, the command that syncs, for the command users run lying in `commandDirectory`
// (both are user commands, side by side in the build tree as once installed).
std::string contactsCommandFrom(const std::string& commandDirectory);

// Starts `command synchroniser --une-fois-par-jour` detached. `callerGoesOn`: the caller is about
// to become a program that runs for long (the reminder window); the sync is then made the child of
// a short-lived process, waited for, so that the caller never keeps it as a zombie once finished.
// Otherwise the caller is about to end and the sync goes to init with it. False when it could not
// be started (no process, or the command is missing): nothing is then left running.
bool startDailySync(const std::string& command, bool callerGoesOn);

}  // namespace velorine::app
