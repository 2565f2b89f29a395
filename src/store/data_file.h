#pragma once
// Reading and replacing a settings file on disk, safely for several programs at once.
//
// What a reader of the file is promised: at every instant the file holds either the content before
// a commit or the content after it, whole; never a mix, never a truncated file, whatever process is
// killed when. Nothing is cached between operations: each one reads the file as it is on disk now.
//
// Calling sequence:
//   - an operation that reads many keys takes one snapshot() and reads them all from it;
//   - an operation that writes calls commit() once with a function that edits the document. commit()
//     takes an exclusive flock on the sidecar "<file>.lock" (see kLockWait), reads the file again
//     under the lock (so no other program's commit is lost), applies the edit, writes a temporary
//     file in the same directory, fsyncs it, renames it over the file and fsyncs the directory. A result identical to
//     the file on disk writes nothing.
//   - readValue, writeValue and replaceSection are the single-key settings-file operations, each one
//     snapshot or one commit.
//
// Modes: a new file is created 0600; a replaced file keeps its mode.
//
// Links: a symbolic link at the path is followed, so the file it points to is the one replaced,
// when that is a regular file of this user. A link whose target is missing now is never replaced
// (nor read: ReadFailure::DanglingLink), and another user's link in a directory that others can
// write is never followed (ReadFailure::ForeignLink). The lock file is always made beside the path
// given, never through a link; nothing else is created outside the directory of the link's target.
//
// Errors: a missing file reads as an empty document; so does one that is not a regular file or is
// larger than kLargestDataFile (256 MiB), which commit() then refuses to replace. commit() returns
// false, and leaves the file and its directory as they were (no temporary file behind), when the
// file is read-only (no owner write permission), cannot be read, or when its directory is missing
// or not writable or the disk is full, or when another program holds the lock for longer than
// kLockWait; the writers that take a WriteFailure* then store why there (WriteFailure::None on
// success).
// Nothing throws.

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "store/ini_document.h"
#include "store/read_failure.h"
#include "store/write_failure.h"

namespace velorine::store {

// How long a commit waits for another program's lock while the data file does not change. Every
// commit of this program holds it well under a second, even for the largest list; a holder that
// keeps it longer without committing is not one of ours finishing, and the logon start must not
// hang behind it. Other commits that go on replacing the file meanwhile extend the wait.
inline constexpr std::chrono::milliseconds kLockWait{3000};

// The lock file of a data file: always beside the path given, in the data directory.
std::string lockFilePath(const std::string& dataFile);

// Where the symbolic link at `path` points, as it is written in the link; empty when no link is there.
std::string linkTarget(const std::string& path);

// The file's content now; an empty document when the file is absent or cannot be read.
IniDocument snapshot(const std::string& path);

// The same for callers that must not take an unreadable file for an empty one: nothing, and the
// reason, when the file is absent, not a regular file, unreadable, or larger than `largest` bytes.
std::optional<IniDocument> readSnapshot(const std::string& path, ReadFailure& failure,
                                        std::uintmax_t largest = kLargestDataFile);

// The bytes of such a file, for callers that keep or convert them before parsing; the same
// failures.
std::optional<std::string> readFileBytes(const std::string& path, ReadFailure& failure,
                                         std::uintmax_t largest = kLargestDataFile);

// Applies `edit` to the current content under the lock and replaces the file in one step.
bool commit(const std::string& path, const std::function<void(IniDocument&)>& edit, WriteFailure* failure = nullptr);

// The settings-file read: value, or default, cut to bufferSize - 1 characters.
std::string readValue(const std::string& path, std::string_view section, std::string_view key,
                      std::string_view defaultText, std::size_t bufferSize);

// The settings-file write of one value. False when it could not be stored.
bool writeValue(const std::string& path, std::string_view section, std::string_view key, std::string_view value,
                WriteFailure* failure = nullptr);

// Replaces the section by an empty one. False when it could not be stored.
bool replaceSection(const std::string& path, std::string_view section);

// When `pendingPath` exists, puts it in place of `path` in one rename, under the same lock as
// commit(). Returns true when a pending file was taken; false when there was none or the rename
// failed (the data file is then untouched).
bool adoptPendingFile(const std::string& path, const std::string& pendingPath);

}  // namespace velorine::store
