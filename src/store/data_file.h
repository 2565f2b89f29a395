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
//     takes the file's lock (below), reads the file again under it (so no other program's commit
//     is lost), applies the edit, writes a temporary file in the same directory, fsyncs it, renames
//     it over the file and fsyncs the directory. A result identical to the file on disk writes
//     nothing, and a missing file that the edit leaves empty is not created.
//   - readValue, writeValue and replaceSection are the single-key settings-file operations, each one
//     snapshot or one commit.
//
// The lock: an exclusive flock on "<file>.lock" beside the path given, waited for as kLockWait
// says. The lock file exists only while a commit holds it (the holder removes it before letting it
// go, and a process that gets the lock checks that its file is still the one at the path; see
// commit_lock.h), so no list, the program's own data file included, keeps a lasting companion. A
// commit that was killed leaves it behind until the next commit of that file takes and removes it.
// Processes that name the same file by different paths (a link and its target) do not exclude
// each other.
//
// Modes: a new file is created 0600; a replaced file keeps its mode.
//
// Links: a symbolic link at the path is followed, so the file it points to is the one replaced,
// when that is a regular file of this user. A link whose target is missing now is never replaced
// (nor read: Failure::DanglingLink), and another user's link in a directory that others can write
// is never followed (Failure::ForeignLink). The lock file is always made beside the path given,
// never through a link; nothing else is created outside the directory of the link's target.
//
// Errors come back as a Result (store/failure.h). A missing file reads as an empty document; so
// does one that is not a regular file or is larger than kLargestDataFile (256 MiB), which commit()
// then refuses to replace. commit() fails, and leaves the file and its directory as they were (no
// temporary file behind), when the file is read-only (no owner write permission), cannot be read,
// is no settings file, or when its directory is missing or not writable or the disk is full, or
// when the lock cannot be had. Nothing throws.

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "store/failure.h"
#include "store/ini_document.h"

namespace velorine::store {

// How long a commit waits for another program's lock while the data file does not change. Every
// commit of this program holds it well under a second, even for the largest list; a holder that
// keeps it longer without committing is not one of ours finishing, and the logon start must not
// hang behind it. Other commits that go on replacing the file meanwhile extend the wait.
inline constexpr std::chrono::milliseconds kLockWait{3000};

// The lock file of a data file: always beside the path given.
std::string lockFilePath(const std::string& dataFile);

// Where the symbolic link at `path` points, as it is written in the link; empty when no link is there.
std::string linkTarget(const std::string& path);

// The file's content now; an empty document when the file is absent or cannot be read.
IniDocument snapshot(const std::string& path);

// The same for callers that must not take an unreadable file for an empty one: the cause when the
// file is absent, not a regular file, unreadable, larger than `largest` bytes, or no settings file
// (Failure::NotSettings).
Result<IniDocument> readSnapshot(const std::string& path, std::uintmax_t largest = kLargestDataFile);

// The bytes of such a file, for callers that keep or convert them before parsing; the same
// failures but NotSettings.
Result<std::string> readFileBytes(const std::string& path, std::uintmax_t largest = kLargestDataFile);

// Applies `edit` to the current content under the lock and replaces the file in one step.
Result<> commit(const std::string& path, const std::function<void(IniDocument&)>& edit);

// The same for an edit that may find nothing to do: when it returns false the file is left as it
// is (neither rewritten in the commit's own form nor created), and the commit succeeds. A file that
// is no settings file fails only when the edit found something to change in what could be read.
Result<> commitIfEdited(const std::string& path, const std::function<bool(IniDocument&)>& edit);

// The settings-file read: value, or default, cut to bufferSize - 1 characters.
std::string readValue(const std::string& path, std::string_view section, std::string_view key,
                      std::string_view defaultText, std::size_t bufferSize);

// The settings-file write of one value.
Result<> writeValue(const std::string& path, std::string_view section, std::string_view key, std::string_view value);

// Replaces the section by an empty one.
Result<> replaceSection(const std::string& path, std::string_view section);

// Puts `pendingPath` in place of `path` in one rename, under the same lock as commit(). Fails with
// Failure::Missing when no pending file waits, and leaves the data file untouched on any failure
// (a pending file that is a link, a directory or another user's is never taken).
Result<> adoptPendingFile(const std::string& path, const std::string& pendingPath);

}  // namespace velorine::store
