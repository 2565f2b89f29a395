#pragma once
// The lock that lets one commit of a data file at a time go on, across processes. Not for use
// outside store/; data_file.h tells the scheme to its callers.
//
// The lock is an exclusive flock on "<file>.lock" beside the path given (never through a link),
// a file that lasts only as long as a commit holds it: the holder removes it before letting it go,
// so no list keeps a companion. That removal is safe because a process that gets the flock then
// checks that the file it locked is still the one at the path; one that was removed while it
// waited (the holder before it had finished) is let go and the path opened again. So at any
// moment at most one process holds a lock on the file the path names, and only that process ever
// removes it. A lock file left by a killed commit is taken and removed by the next one.

#include <string>

#include "store/failure.h"
#include "store/file_system.h"

namespace velorine::store {

class CommitLock {
public:
    CommitLock() = default;
    CommitLock(const CommitLock&) = delete;
    CommitLock& operator=(const CommitLock&) = delete;
    // Removes the lock file, then lets the lock go.
    ~CommitLock();

    // Waits for the lock of `dataFile` while the data file keeps changing, and at most kLockWait
    // after its last change (data_file.h). The cause of a failure lies in the lock file when it
    // cannot serve (Failure::LockNotAFile, LockForeign, LockReadOnly), or in the directory or the
    // disk (DirectoryMissing, PermissionDenied, ReadOnlyFileSystem...), or in another program
    // keeping the lock (LockHeld).
    Result<> take(const std::string& dataFile);

private:
    std::string path_;
    files::FileDescriptor fd_;
};

}  // namespace velorine::store
