#include "store/file_system.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdlib>

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace velorine::store::files {
namespace {

std::string fileNameOf(const std::string& path) {
    const auto slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

ReadFailure openFailure(int error) {
    switch (error) {
        case ENOENT: return ReadFailure::Missing;
        case ENOTDIR: return ReadFailure::PathNotDirectory;
        case EACCES:
        case EPERM: return ReadFailure::AccessDenied;
        default: return ReadFailure::ReadError;
    }
}

// Every step is tried only while the ones before it succeeded; the first errno is the reason.
class FirstError {
public:
    bool ok() const { return error_ == 0; }
    // Records errno when `succeeded` is false and no step failed before; returns ok().
    bool check(bool succeeded) {
        if (ok() && !succeeded) error_ = errno != 0 ? errno : EIO;
        return ok();
    }
    WriteFailure failure() const { return ok() ? WriteFailure::None : writeFailureFromErrno(error_); }

private:
    int error_ = 0;
};

bool writeAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t written = ::write(fd, bytes.data(), bytes.size());
        if (written < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
}

}  // namespace

FileDescriptor::~FileDescriptor() {
    if (fd_ >= 0) ::close(fd_);
}

bool FileDescriptor::close() {
    const int fd = fd_;
    fd_ = -1;
    return fd < 0 || ::close(fd) == 0;
}

std::string resolvedPath(const std::string& path) {
    struct stat st {};
    if (::lstat(path.c_str(), &st) == 0 && S_ISLNK(st.st_mode)) {
        char target[PATH_MAX];
        if (::realpath(path.c_str(), target)) return target;
    }
    return path;
}

WriteFailure linkRefusal(const std::string& path) {
    struct stat link {};
    if (::lstat(path.c_str(), &link) != 0 || !S_ISLNK(link.st_mode)) return WriteFailure::None;
    struct stat directory {};
    const bool othersWrite =
        ::stat(directoryOf(path).c_str(), &directory) == 0 && (directory.st_mode & (S_IWGRP | S_IWOTH)) != 0;
    if (link.st_uid != ::geteuid() && othersWrite) return WriteFailure::ForeignLink;
    struct stat target {};
    if (::stat(path.c_str(), &target) != 0 && (errno == ENOENT || errno == ENOTDIR)) return WriteFailure::DanglingLink;
    return WriteFailure::None;
}

ReadFailure linkReadFailure(const std::string& path) {
    switch (linkRefusal(path)) {
        case WriteFailure::DanglingLink: return ReadFailure::DanglingLink;
        case WriteFailure::ForeignLink: return ReadFailure::ForeignLink;
        default: return ReadFailure::None;
    }
}

WriteFailure replaceRefusal(const struct stat& st, const std::string& path) {
    if (!S_ISREG(st.st_mode)) return WriteFailure::NotARegularFile;
    // Renaming over another user's file would make it ours (as root: take it over).
    if (st.st_uid != ::geteuid()) return WriteFailure::ForeignFile;
    if ((st.st_mode & S_IWUSR) == 0) return WriteFailure::ReadOnlyFile;
    if (::access(path.c_str(), W_OK) != 0) return writeFailureFromErrno(errno);
    return WriteFailure::None;
}

std::string directoryOf(const std::string& path) {
    const auto slash = path.rfind('/');
    if (slash == std::string::npos) return ".";
    if (slash == 0) return "/";
    return path.substr(0, slash);
}

// Appended piece by piece: GCC 12 at -O3 sees a false overlap in `"literal" + std::string`.
std::string temporaryPrefix(const std::string& path) {
    std::string prefix = ".";
    prefix += fileNameOf(path);
    prefix += ".tmp-";
    return prefix;
}

std::optional<std::string> readWhole(const std::string& path, ReadFailure& failure, std::uintmax_t largest) {
    largest = std::min(largest, kLargestDataFile);
    failure = linkReadFailure(path);
    if (failure != ReadFailure::None) return std::nullopt;
    // Non-blocking, so a named pipe in place of the file cannot hang the reader; it is refused below.
    FileDescriptor fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
    if (!fd.valid()) {
        failure = openFailure(errno);
        return std::nullopt;
    }
    struct stat st {};
    if (::fstat(fd.get(), &st) != 0) {
        failure = ReadFailure::ReadError;
        return std::nullopt;
    }
    if (!S_ISREG(st.st_mode)) {
        failure = S_ISDIR(st.st_mode) ? ReadFailure::Directory : ReadFailure::NotAFile;
        return std::nullopt;
    }
    if (static_cast<std::uintmax_t>(st.st_size) > largest) {
        failure = ReadFailure::TooLarge;
        return std::nullopt;
    }
    // Read straight into a buffer of the file's size; a file that grows meanwhile is still read whole.
    std::string bytes(static_cast<std::size_t>(st.st_size) + 1, '\0');
    std::size_t filled = 0;
    for (;;) {
        if (filled == bytes.size()) bytes.resize(bytes.size() * 2);
        const ssize_t got = ::read(fd.get(), bytes.data() + filled, bytes.size() - filled);
        if (got < 0) {
            if (errno == EINTR) continue;
            failure = ReadFailure::ReadError;
            return std::nullopt;
        }
        if (got == 0) break;
        filled += static_cast<std::size_t>(got);
        if (filled > largest) {
            failure = ReadFailure::TooLarge;
            return std::nullopt;
        }
    }
    bytes.resize(filled);
    return bytes;
}

bool syncDirectory(const std::string& directory) {
    FileDescriptor fd(::open(directory.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    return fd.valid() && ::fsync(fd.get()) == 0;
}

WriteFailure publishFile(const std::string& path, std::string_view bytes, mode_t mode, Publish how) {
    return publishFile(path, wholeBytes(bytes), mode, how);
}

WriteFailure publishFile(const std::string& path, const ByteProducer& produce, mode_t mode, Publish how) {
    const std::string directory = directoryOf(path);
    std::string temporary = directory + "/" + temporaryPrefix(path) + "XXXXXX";
    FirstError steps;
    FileDescriptor fd(::mkostemp(temporary.data(), O_CLOEXEC));
    if (!steps.check(fd.valid())) return steps.failure();
    // Small pieces are gathered, so that a calendar of a million events is not a million writes. The
    // first failed write is the reason, recorded with its errno before anything can change it.
    constexpr std::size_t kGathered = 64 * 1024;
    std::string gathered;
    const auto flush = [&] {
        const bool written = steps.check(writeAll(fd.get(), gathered));
        gathered.clear();
        return written;
    };
    const ByteSink write = [&](std::string_view bytes) {
        if (gathered.size() + bytes.size() > kGathered && !flush()) return false;
        if (bytes.size() >= kGathered) return steps.check(writeAll(fd.get(), bytes));
        gathered.append(bytes);
        return true;
    };
    if (steps.check(::fchmod(fd.get(), mode) == 0) && steps.check(produce(write)) && flush())
        steps.check(::fsync(fd.get()) == 0);
    // Closing may be where a deferred write error shows: it counts even after a failed step.
    const bool closed = fd.close();
    if (steps.check(closed)) {
        // link() fails when the name is taken, so "only if absent" holds even against a racer.
        steps.check(how == Publish::Replace ? ::rename(temporary.c_str(), path.c_str()) == 0
                                            : ::link(temporary.c_str(), path.c_str()) == 0);
    }
    if (!steps.ok() || how == Publish::OnlyIfAbsent) ::unlink(temporary.c_str());
    if (steps.ok()) syncDirectory(directory);
    return steps.failure();
}

void removeStaleTemporaryFiles(const std::string& path) {
    const std::string directory = directoryOf(path);
    const std::string prefix = temporaryPrefix(path);
    DIR* listing = ::opendir(directory.c_str());
    if (!listing) return;
    while (const dirent* entry = ::readdir(listing)) {
        if (std::string_view(entry->d_name).starts_with(prefix)) ::unlink((directory + "/" + entry->d_name).c_str());
    }
    ::closedir(listing);
}

}  // namespace velorine::store::files
