#pragma once
// When the address book online is read again without the user asking: at most once a day, after
// the logon gate's decision, and only when the configuration names a server. The names under which
// the configuration and the data file keep what the sync needs live here, below every layer that
// reads or writes them.
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

}  // namespace velorine::app
