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

// Every step is tried only while the ones before it succeeded; the first errno is the reason.
class FirstError {
public:
    bool ok() const { return error_ == 0; }
    // Records errno when `succeeded` is false and no step failed before; returns ok().
    bool check(bool succeeded) {
        if (ok() && !succeeded) error_ = errno != 0 ? errno : EIO;
        return ok();
    }
    Result<> result() const { return creationFailureFromErrno(error_); }

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

FileDescriptor& FileDescriptor::operator=(FileDescriptor&& other) noexcept {
    if (this != &other) {
        close();
        fd_ = other.fd_;
        other.fd_ = -1;
    }
    return *this;
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

Result<> mayFollowLink(const std::string& path) {
    struct stat link {};
    if (::lstat(path.c_str(), &link) != 0 || !S_ISLNK(link.st_mode)) return Done{};
    struct stat directory {};
    const bool othersWrite =
        ::stat(directoryOf(path).c_str(), &directory) == 0 && (directory.st_mode & (S_IWGRP | S_IWOTH)) != 0;
    if (link.st_uid != ::geteuid() && othersWrite) return Failure::ForeignLink;
    struct stat target {};
    if (::stat(path.c_str(), &target) != 0 && (errno == ENOENT || errno == ENOTDIR)) return Failure::DanglingLink;
    return Done{};
}

Result<> mayReplace(const struct stat& st, const std::string& path) {
    if (S_ISDIR(st.st_mode)) return Failure::Directory;
    if (!S_ISREG(st.st_mode)) return Failure::NotARegularFile;
    // Renaming over another user's file would make it ours (as root: take it over).
    if (st.st_uid != ::geteuid()) return Failure::ForeignFile;
    if ((st.st_mode & S_IWUSR) == 0) return Failure::ReadOnlyFile;
    if (::access(path.c_str(), W_OK) != 0) return failureFromErrno(errno);
    return Done{};
}

namespace {

// The name prefix of the temporary files published beside `path`. Appended piece by piece: GCC 12
// at -O3 sees a false overlap in `"literal" + std::string`.
std::string temporaryPrefix(const std::string& path) {
    std::string prefix = ".";
    prefix += fileNameOf(path);
    prefix += ".tmp-";
    return prefix;
}

}  // namespace

std::string directoryOf(const std::string& path) {
    const auto slash = path.rfind('/');
    if (slash == std::string::npos) return ".";
    if (slash == 0) return "/";
    return path.substr(0, slash);
}

Result<std::string> readWhole(const std::string& path, std::uintmax_t largest) {
    largest = std::min(largest, kLargestDataFile);
    if (Result<> followed = mayFollowLink(path); !followed) return followed.failure();
    // Non-blocking, so a named pipe in place of the file cannot hang the reader; it is refused below.
    FileDescriptor fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
    if (!fd.valid()) return failureFromErrno(errno);
    struct stat st {};
    if (::fstat(fd.get(), &st) != 0) return Failure::IoError;
    if (!S_ISREG(st.st_mode)) return S_ISDIR(st.st_mode) ? Failure::Directory : Failure::NotARegularFile;
    if (static_cast<std::uintmax_t>(st.st_size) > largest) return Failure::TooLarge;
    // Read straight into a buffer of the file's size; a file that grows meanwhile is still read whole.
    std::string bytes(static_cast<std::size_t>(st.st_size) + 1, '\0');
    std::size_t filled = 0;
    for (;;) {
        if (filled == bytes.size()) bytes.resize(bytes.size() * 2);
        const ssize_t got = ::read(fd.get(), bytes.data() + filled, bytes.size() - filled);
        if (got < 0) {
            if (errno == EINTR) continue;
            return Failure::IoError;
        }
        if (got == 0) break;
        filled += static_cast<std::size_t>(got);
        if (filled > largest) return Failure::TooLarge;
    }
    bytes.resize(filled);
    return bytes;
}

void syncDirectory(const std::string& directory) {
    const FileDescriptor fd(::open(directory.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (fd.valid()) ::fsync(fd.get());
}

Result<> publishFile(const std::string& path, std::string_view bytes, mode_t mode, Publish how) {
    return publishFile(path, wholeBytes(bytes), mode, how);
}

Result<> publishFile(const std::string& path, const ByteProducer& produce, mode_t mode, Publish how) {
    const std::string directory = directoryOf(path);
    std::string temporary = directory + "/" + temporaryPrefix(path) + "XXXXXX";
    FirstError steps;
    FileDescriptor fd(::mkostemp(temporary.data(), O_CLOEXEC));
    if (!steps.check(fd.valid())) {
        // A directory that is there but makes no files (/proc, /sys) answers as if it were not.
        struct stat st {};
        if (errno == ENOENT && ::stat(directory.c_str(), &st) == 0 && S_ISDIR(st.st_mode))
            return Failure::PermissionDenied;
        return steps.result();
    }
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
    return steps.result();
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
