#include "store/data_file.h"

#include <cerrno>
#include <climits>
#include <chrono>
#include <thread>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include "store/file_system.h"

namespace velorine::store {
namespace {

using files::FileDescriptor;

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

// Holds the exclusive lock of a data file for its lifetime, or tells why it could not be had.
//
// The wait ends after kLockWait without progress: as long as other commits keep replacing the file,
// the holders are instances of this program taking turns, and the wait goes on; a holder that
// keeps the lock without committing is given up on.
class CommitLock {
public:
    explicit CommitLock(const std::string& dataFile)
        // Never through a link: the lock file is made beside the data file and nowhere else.
        : fd_(::open(lockFilePath(dataFile).c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW,
                     files::kPrivateFileMode)) {
        if (!fd_.valid()) {
            const int error = errno;
            struct stat st {};
            // Something that is there but cannot be opened (another user's file, a directory, a
            // link) is the cause, not the data file; a missing directory is the data file's.
            failure_ = ::lstat(lockFilePath(dataFile).c_str(), &st) == 0 ? WriteFailure::LockUnusable
                                                                         : writeFailureFromErrno(error);
            return;
        }
        FileVersion seen = versionOf(dataFile);
        auto deadline = std::chrono::steady_clock::now() + kLockWait;
        while (::flock(fd_.get(), LOCK_EX | LOCK_NB) != 0) {
            if (errno == EINTR) continue;
            if (errno != EWOULDBLOCK) {
                giveUp(writeFailureFromErrno(errno));
                return;
            }
            if (const FileVersion now = versionOf(dataFile); !(now == seen)) {
                seen = now;
                deadline = std::chrono::steady_clock::now() + kLockWait;
            } else if (std::chrono::steady_clock::now() >= deadline) {
                giveUp(WriteFailure::LockHeld);
                return;
            }
            std::this_thread::sleep_for(kLockPoll);
        }
    }
    bool held() const { return fd_.valid(); }
    WriteFailure failure() const { return failure_; }

private:
    static constexpr std::chrono::milliseconds kLockPoll{2};
    void giveUp(WriteFailure failure) {
        failure_ = failure;
        fd_.close();
    }
    FileDescriptor fd_;
    WriteFailure failure_ = WriteFailure::None;
};

// A file that cannot be read is not replaced: the reason it could not be read is the reason it
// was not written.
WriteFailure unreadableFailure(ReadFailure failure) {
    switch (failure) {
        case ReadFailure::None:
        case ReadFailure::Missing: return WriteFailure::None;
        case ReadFailure::PathNotDirectory: return WriteFailure::DirectoryMissing;
        case ReadFailure::Directory:
        case ReadFailure::NotAFile: return WriteFailure::NotARegularFile;
        case ReadFailure::AccessDenied: return WriteFailure::PermissionDenied;
        case ReadFailure::TooLarge: return WriteFailure::TooLarge;
        case ReadFailure::DanglingLink: return WriteFailure::DanglingLink;
        case ReadFailure::ForeignLink: return WriteFailure::ForeignLink;
        case ReadFailure::NotSettings: return WriteFailure::NotSettings;
        case ReadFailure::ReadError: break;
    }
    return WriteFailure::IoError;
}

WriteFailure commitWithReason(const std::string& givenPath, const std::function<void(IniDocument&)>& edit) {
    // Decided before anything, the lock file included, is created.
    if (const WriteFailure refused = files::linkRefusal(givenPath); refused != WriteFailure::None) return refused;
    const std::string path = files::resolvedPath(givenPath);
    CommitLock lock(givenPath);
    if (!lock.held()) return lock.failure();
    files::removeStaleTemporaryFiles(path);

    struct stat st {};
    const bool exists = ::stat(path.c_str(), &st) == 0;
    if (exists) {
        if (const WriteFailure refused = files::replaceRefusal(st, path); refused != WriteFailure::None) return refused;
    }
    ReadFailure failure = ReadFailure::None;
    auto before = files::readWhole(path, failure);
    if (!before && failure != ReadFailure::Missing) return unreadableFailure(failure);
    // Taken for an empty list, such a file would be replaced by one that holds only the edit.
    if (before && !IniDocument::readsAsSettings(*before)) return WriteFailure::NotSettings;

    // The document keeps the bytes it was parsed from: no second copy of a large file.
    IniDocument doc = before ? IniDocument::parse(std::move(*before)) : IniDocument();
    edit(doc);
    if (before && doc.serializesToParsedBytes()) return WriteFailure::None;
    // Written out piece by piece: the serial form of a large list is never held whole beside it.
    return files::publishFile(
        path, [&doc](const ByteSink& write) { return doc.serializeTo(write); },
        exists ? (st.st_mode & 07777) : files::kPrivateFileMode, files::Publish::Replace);
}

bool reported(WriteFailure outcome, WriteFailure* failure) {
    if (failure) *failure = outcome;
    return outcome == WriteFailure::None;
}

}  // namespace

std::string lockFilePath(const std::string& dataFile) { return dataFile + ".lock"; }

std::string linkTarget(const std::string& path) {
    std::string target(PATH_MAX, '\0');
    const ssize_t length = ::readlink(path.c_str(), target.data(), target.size());
    target.resize(length > 0 ? static_cast<std::size_t>(length) : 0);
    return target;
}

IniDocument snapshot(const std::string& path) {
    ReadFailure ignored = ReadFailure::None;
    return readSnapshot(path, ignored).value_or(IniDocument());
}

std::optional<std::string> readFileBytes(const std::string& path, ReadFailure& failure, std::uintmax_t largest) {
    return files::readWhole(path, failure, largest);
}

std::optional<IniDocument> readSnapshot(const std::string& path, ReadFailure& failure, std::uintmax_t largest) {
    auto bytes = files::readWhole(path, failure, largest);
    if (!bytes) return std::nullopt;
    if (!IniDocument::readsAsSettings(*bytes)) {
        failure = ReadFailure::NotSettings;
        return std::nullopt;
    }
    return IniDocument::parse(std::move(*bytes));
}

bool commit(const std::string& path, const std::function<void(IniDocument&)>& edit, WriteFailure* failure) {
    return reported(commitWithReason(path, edit), failure);
}

std::string readValue(const std::string& path, std::string_view section, std::string_view key,
                      std::string_view defaultText, std::size_t bufferSize) {
    return snapshot(path).read(section, key, defaultText, bufferSize);
}

bool writeValue(const std::string& path, std::string_view section, std::string_view key, std::string_view value,
                WriteFailure* failure) {
    return commit(
        path, [&](IniDocument& doc) { doc.write(section, key, value); }, failure);
}

bool replaceSection(const std::string& path, std::string_view section) {
    return commit(path, [&](IniDocument& doc) { doc.clearSection(section); });
}

bool adoptPendingFile(const std::string& givenPath, const std::string& pendingPath) {
    struct stat present {};
    if (::lstat(pendingPath.c_str(), &present) != 0) return false;
    if (files::linkRefusal(givenPath) != WriteFailure::None) return false;
    const std::string path = files::resolvedPath(givenPath);
    CommitLock lock(givenPath);
    if (!lock.held()) return false;
    // Only a regular file of this user is taken, never a link: renamed, a link would become the
    // data file, and changing the mode through it would change its target's.
    const FileDescriptor pending(::open(pendingPath.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK));
    struct stat pendingStat {};
    if (!pending.valid() || ::fstat(pending.get(), &pendingStat) != 0 || !S_ISREG(pendingStat.st_mode) ||
        pendingStat.st_uid != ::geteuid())
        return false;
    // The pending file takes the place of the data file, and so its privacy.
    struct stat st {};
    ::fchmod(pending.get(), ::stat(path.c_str(), &st) == 0 ? (st.st_mode & 07777) : files::kPrivateFileMode);
    if (::rename(pendingPath.c_str(), path.c_str()) != 0) return false;
    files::syncDirectory(files::directoryOf(path));
    return true;
}

}  // namespace velorine::store
