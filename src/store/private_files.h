#pragma once
// Folders and files that belong to this user alone: the data directory and the program's own
// scratch folder. A folder is created 0700, a file 0600, and a file is published whole (written
// beside its name, then renamed over it), so a symbolic link planted at its name is replaced and
// never followed.
//
// Every function reports failure by its result and leaves no temporary file behind.

#include <string>
#include <string_view>

namespace velorine::store {

// mkdir -p: every directory it creates is private (0700); existing ones are left as they are.
// True when `path` is then a directory (possibly through a link).
bool createPrivateDirectories(const std::string& path);

// A folder only this user can enter: created as above when missing; an existing one must be a
// real directory (not a link) owned by this user, and its mode is narrowed to 0700. False when
// the folder cannot be had that way.
bool preparePrivateFolder(const std::string& path);

// Writes `bytes` into a new 0600 file published at `path`, replacing whatever file or link is
// there. False when it could not be written; what was at `path` is then untouched.
bool writePrivateFile(const std::string& path, std::string_view bytes);

}  // namespace velorine::store
