#pragma once
// Why a file could not be written: commits report it, so that the windows can tell the user the
// real cause (a full disk is not a permission problem) instead of a guess.

namespace velorine::store {

enum class WriteFailure {
    None,
    DiskFull,            // no space left, or the user's quota is reached
    PermissionDenied,    // no right to write the file or to create one in its directory
    ReadOnlyFileSystem,  // the file lives on a file system mounted read-only
    ReadOnlyFile,        // the file itself has no write permission for its owner
    NotARegularFile,     // a directory, a named pipe, a device... at the path
    TooLarge,            // the file is, or would become, larger than allowed
    DirectoryMissing,    // the directory of the file does not exist (or a part of it is no directory)
    DanglingLink,        // the path is a symbolic link whose target is missing now: never replaced
    ForeignLink,         // another user's symbolic link in a directory others can write: not followed
    ForeignFile,         // the file belongs to another user: never taken over
    NotSettings,         // the file is no settings file (UTF-16, no section): never replaced
    LockHeld,            // another program holds the lock file and did not let it go in time
    LockUnusable,        // the lock file cannot be opened (another user's, a directory, a link)
    IoError,             // the disk reported an error, or anything else went wrong
};

// The reason for an errno value of a failed open, write, fsync, close, rename or link.
WriteFailure writeFailureFromErrno(int error);

}  // namespace velorine::store
