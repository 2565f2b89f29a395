#include "store/commit_lock.h"

#include <cerrno>
#include <chrono>
#include <thread>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include "store/data_file.h"

namespace velorine::store {
namespace {

constexpr std::chrono::milliseconds kLockPoll{2};

// What changes in a data file when a commit replaces it.
struct FileVersion {
    ino_t inode = 0;
    struct timespec modified {};
    friend bool operator==(const FileVersion& a, const FileVersion& b) {
        return a.inode == b.inode && a.modified.tv_sec == b.modified.tv_sec && a.modified.tv_nsec == b.modified.tv_nsec;
    }
};

FileVersion versionOf(const std::string& path) {
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0) return {};
    return {st.st_ino, st.st_mtim};
}

// Why the lock file at `path` could not be opened: what stands there when something does (the
// user can remove it), else the directory's or the disk's cause.
Failure openFailure(int error, const std::string& path) {
    struct stat st {};
    if (::lstat(path.c_str(), &st) != 0) return creationFailureFromErrno(error);
    if (error == EROFS) return Failure::ReadOnlyFileSystem;
    if (!S_ISREG(st.st_mode)) return Failure::LockNotAFile;  // a directory, a link (never followed), a device
    if (error == EACCES || error == EPERM) {
        if (st.st_uid != ::geteuid()) return Failure::LockForeign;
        if ((st.st_mode & S_IWUSR) == 0) return Failure::LockReadOnly;
    }
    return creationFailureFromErrno(error);
}

// The open file is still the one at the path: no commit removed it while this one waited.
bool isAtPath(int fd, const std::string& path) {
    struct stat opened {};
    struct stat named {};
    return ::fstat(fd, &opened) == 0 && ::lstat(path.c_str(), &named) == 0 && opened.st_dev == named.st_dev &&
           opened.st_ino == named.st_ino;
}

}  // namespace

CommitLock::~CommitLock() {
    // Removed while still held: whoever opens the path from now on makes a new lock file, and
    // whoever had opened this one finds it gone from the path once it gets it.
    if (fd_.valid()) ::unlink(path_.c_str());
}

Result<> CommitLock::take(const std::string& dataFile) {
    path_ = lockFilePath(dataFile);
    FileVersion seen = versionOf(dataFile);
    auto deadline = std::chrono::steady_clock::now() + kLockWait;
    for (;;) {
        // Never through a link: the lock file is made beside the data file and nowhere else.
        // Non-blocking, so that a named pipe planted there cannot hang the open.
        files::FileDescriptor fd(
            ::open(path_.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK, files::kPrivateFileMode));
        if (!fd.valid()) return openFailure(errno, path_);
        struct stat st {};
        if (::fstat(fd.get(), &st) != 0) return Failure::IoError;
        if (!S_ISREG(st.st_mode)) return Failure::LockNotAFile;
        // As long as other commits keep replacing the file, the holders are instances of this
        // program taking turns, and the wait goes on; a holder that keeps the lock without
        // committing is given up on.
        while (::flock(fd.get(), LOCK_EX | LOCK_NB) != 0) {
            if (errno == EINTR) continue;
            if (errno != EWOULDBLOCK) return failureFromErrno(errno);
            if (const FileVersion now = versionOf(dataFile); !(now == seen)) {
                seen = now;
                deadline = std::chrono::steady_clock::now() + kLockWait;
            } else if (std::chrono::steady_clock::now() >= deadline) {
                return Failure::LockHeld;
            }
            std::this_thread::sleep_for(kLockPoll);
        }
        if (isAtPath(fd.get(), path_)) {
            fd_ = std::move(fd);
            return Done{};
        }
        if (std::chrono::steady_clock::now() >= deadline) return Failure::LockHeld;
    }
}

}  // namespace velorine::store
