#pragma once
// The daily sync with the address book online: when it is due, and how the logon gate starts it.
//
// It is due at most once a day, after the logon gate's decision, and only when the configuration
// names a server. The names under which the configuration and the data file keep what the sync
// needs live here, below every layer that reads or writes them.
//
// velorine.conf, section [CarnetEnLigne] (written by the program for this section only):
//   Adresse       the server or address book the user gave (UTF-8); no sync without it
//   Utilisateur   the user name on that server (UTF-8)
//   Carnet1, 2…   the address books the user chose among those found; absent: all of them
//   Empreinte     the SHA-256 fingerprint of the one certificate the user accepted, if any
// The password is never there: it lives in the desktop's keyring.
//
// The data file, section [CartesEnLigne]: Derniere, the day of the last sync ("%d %d %d"), and
// what the sync knows of each card (carddav/sync_state.h).
//
// The gate starts the sync and leaves it to run on its own: it never waits for the network. The
// command runs detached: in a session of its own, its standard input and outputs on /dev/null,
// and at a lower priority (nice 10), so that it never competes with the session being opened.

#include <string>
#include <string_view>

#include "store/dates.h"
#include "store/ini_document.h"

namespace velorine::app {

inline constexpr std::string_view kOnlineBookSection = "CarnetEnLigne";
inline constexpr std::string_view kOnlineAddressKey = "Adresse";
inline constexpr std::string_view kOnlineCardsSection = "CartesEnLigne";
inline constexpr std::string_view kLastSyncDayKey = "Derniere";

// True when velorine.conf names a server and the data file `data` records no sync on `today`. Reads
// the configuration once; the data file only through the snapshot given.
bool isDailySyncDue(const std::string& configFile, const store::IniDocument& data, const store::CalendarDate& today);

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
