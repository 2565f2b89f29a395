#pragma once
// The one-time offer to take over the list of the previous version (1.0), at every start between
// the pending-file swap and the compaction.
//
// The configuration file (velorine.conf) holds both settings: [VersionPrecedente] Path, the
// previous version's directory, and [Recuperation] RecupV10, "1" once the offer was taken or
// declined. The old list is that directory's VELOR.INI, whatever the case of its name. Taking it
// copies it to the pending data file and starts a new instance, which swaps it in; this instance
// must then end before it touches the data file again.
//
// The flag is only ever written into an existing configuration file, in one atomic commit; a write
// that fails is not told, and the question then comes again at the next start. The old file and the
// directory setting are never changed. Anything missing, unreadable or not a previous-version list
// with at least one record ends the recovery in silence.

#include <functional>
#include <string>
#include <string_view>

#include "store/failure.h"

namespace velorine::app {

// What the recovery needs from the user and the system. All three are called only when needed.
struct RecoveryDialogs {
    // "Take the old list over?" True for Yes.
    std::function<bool()> askToRecover;
    // The copy to the pending data file (`pendingFilePath`) failed, for this cause.
    std::function<void(store::Failure, const std::string& pendingFilePath)> tellRecoveryFailed;
    // Starts a new instance of the program without argument; false when it could not start.
    std::function<bool()> restartProgram;
};

enum class RecoveryResult {
    NothingTaken,         // go on with the data file as it is
    Restarted,            // the old list waits as the pending file for the new instance: end now
    TakenWithoutRestart,  // the old list waits as the pending file, but no new instance started
};

struct RecoveryPaths {
    std::string configFile;        // velorine.conf
    std::string installDirectory;  // the previous version living here is not offered
    std::string pendingFilePath;   // where the old list is copied
};

RecoveryResult recoverPreviousVersion(const RecoveryPaths& paths, const RecoveryDialogs& dialogs);

// The path of the regular file (or link to one) in `directory` whose name equals `name` ignoring the
// case of the letters A-Z, as a copy from a Windows disk may have changed it (VELOR.INI arriving as
// velor.ini or Velor.Ini). The exact name wins; of several other matches, the one whose name comes
// first in byte order, so the choice never depends on the order of the directory listing. When none
// matches, or the directory cannot be listed, the path with the exact name (which may not exist).
std::string findFileIgnoringCase(const std::string& directory, std::string_view name);

}  // namespace velorine::app
