#pragma once
// velorine-contacts synchroniser: the list brought in step with the address book online that the
// list window's dialog configured (velorine.conf), from a terminal, a scheduled job or the logon
// gate (--une-fois-par-jour, started in the background by `velorine PROG`).
//
// The password comes from the desktop's keyring, or from the first line of standard input with
// --mot-de-passe-stdin; never from the command line or the environment. Run once a day, a sync that
// cannot reach the server tries once more a minute later: at logon the network often comes up
// after the session.

#include <string>

#include "tools/contacts_command_line.h"

namespace velorine::tools {

struct SyncCommandResult {
    bool done = false;
    std::string text;          // done: the summary for standard output; otherwise why, for standard error
    std::string list;          // the list synced
    bool listChanged = false;  // done, and the list changed: its kept calendar follows
};

// Needs a QCoreApplication.
SyncCommandResult synchroniseList(const ContactsOptions& options);

}  // namespace velorine::tools
