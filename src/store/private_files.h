#pragma once
// Folders and files that belong to this user alone: the data directory and the program's own
// scratch folder. A folder is created 0700, a file 0600, and a file is published whole (written
// beside its name, then renamed over it), so a symbolic link planted at its name is replaced and
// never followed.
//
// Every function fails with the cause (store/failure.h) and leaves no temporary file behind.

#include <string>
#include <string_view>

#include "store/failure.h"

namespace velorine::store {

// mkdir -p: every directory it creates is private (0700); existing ones are left as they are.
// Succeeds when `path` is then a directory (possibly through a link).
Result<> createPrivateDirectories(const std::string& path);

// A folder only this user can enter: created as above when missing; an existing one must be a
// real directory (not a link) owned by this user, and its mode is narrowed to 0700.
Result<> preparePrivateFolder(const std::string& path);

// Writes `bytes` into a new 0600 file published at `path`, replacing whatever file or link is
// there; what was at `path` is untouched when it fails.
Result<> writePrivateFile(const std::string& path, std::string_view bytes);

}  // namespace velorine::store
