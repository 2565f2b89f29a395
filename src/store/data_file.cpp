#include "store/data_file.h"

#include <cerrno>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include "store/file_system.h"

namespace velorine::store {
namespace {

using files::FileDescriptor;

// Holds the exclusive lock of a data file for its lifetime.
class CommitLock {
public:
    explicit CommitLock(const std::string& path)
        : fd_(::open((path + ".lock").c_str(), O_RDWR | O_CREAT | O_CLOEXEC, files::kPrivateFileMode)) {
        if (!fd_.valid()) {
            error_ = errno;
            return;
        }
        while (::flock(fd_.get(), LOCK_EX) != 0) {
            if (errno != EINTR) {
                error_ = errno;
                fd_.close();
                return;
            }
        }
    }
    bool held() const { return fd_.valid(); }
    // Why the lock could not be taken: the lock file is created beside the data file, so this is
    // already the reason the data file cannot be written (missing or read-only directory...).
    WriteFailure failure() const { return writeFailureFromErrno(error_); }

private:
    FileDescriptor fd_;
    int error_ = 0;
};

// None when the existing file may be replaced.
WriteFailure replaceRefusal(const struct stat& st, const std::string& path) {
    if ((st.st_mode & S_IWUSR) == 0) return WriteFailure::ReadOnlyFile;
    if (::access(path.c_str(), W_OK) != 0) return writeFailureFromErrno(errno);
    return WriteFailure::None;
}

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
        case ReadFailure::ReadError: break;
    }
    return WriteFailure::IoError;
}

WriteFailure commitWithReason(const std::string& givenPath, const std::function<void(IniDocument&)>& edit) {
    const std::string path = files::resolvedPath(givenPath);
    CommitLock lock(path);
    if (!lock.held()) return lock.failure();
    files::removeStaleTemporaryFiles(path);

    struct stat st{};
    const bool exists = ::stat(path.c_str(), &st) == 0;
    if (exists) {
        if (const WriteFailure refused = replaceRefusal(st, path); refused != WriteFailure::None) return refused;
    }
    ReadFailure failure = ReadFailure::None;
    auto before = files::readWhole(path, failure);
    if (!before && failure != ReadFailure::Missing) return unreadableFailure(failure);

    // The document keeps the bytes it was parsed from: no second copy of a large file.
    IniDocument doc = before ? IniDocument::parse(std::move(*before)) : IniDocument();
    edit(doc);
    const std::string after = doc.serialize();
    if (before && after == doc.parsedBytes()) return WriteFailure::None;
    return files::publishFile(path, after, exists ? (st.st_mode & 07777) : files::kPrivateFileMode,
                              files::Publish::Replace);
}

bool reported(WriteFailure outcome, WriteFailure* failure) {
    if (failure) *failure = outcome;
    return outcome == WriteFailure::None;
}

}  // namespace

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
    return IniDocument::parse(std::move(*bytes));
}

bool commit(const std::string& path, const std::function<void(IniDocument&)>& edit, WriteFailure* failure) {
    return reported(commitWithReason(path, edit), failure);
}

std::string readValue(const std::string& path, std::string_view section, std::string_view key,
                      std::string_view defaultText, std::size_t bufferSize) {
    return snapshot(path).read(section, key, defaultText, bufferSize);
}

bool writeValue(const std::string& path, std::string_view section, std::string_view key,
                std::string_view value, WriteFailure* failure) {
    return commit(path, [&](IniDocument& doc) { doc.write(section, key, value); }, failure);
}

bool replaceSection(const std::string& path, std::string_view section) {
    return commit(path, [&](IniDocument& doc) { doc.clearSection(section); });
}

bool adoptPendingFile(const std::string& givenPath, const std::string& pendingPath) {
    if (::access(pendingPath.c_str(), F_OK) != 0) return false;
    const std::string path = files::resolvedPath(givenPath);
    CommitLock lock(path);
    if (!lock.held()) return false;
    // The pending file takes the place of the data file, and so its privacy.
    struct stat st{};
    ::chmod(pendingPath.c_str(), ::stat(path.c_str(), &st) == 0 ? (st.st_mode & 07777) : files::kPrivateFileMode);
    if (::rename(pendingPath.c_str(), path.c_str()) != 0) return false;
    files::syncDirectory(files::directoryOf(path));
    return true;
}

}  // namespace velorine::store
