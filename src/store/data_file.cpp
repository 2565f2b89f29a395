#include "store/data_file.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <optional>

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace velorine::store {
namespace {

constexpr mode_t kNewFileMode = 0600;
// No settings file is this large; refusing it keeps memory bounded and offsets 32-bit.
constexpr off_t kLargestFile = off_t{1} << 30;

class FileDescriptor {
public:
    explicit FileDescriptor(int fd = -1) : fd_(fd) {}
    ~FileDescriptor() { reset(); }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    int get() const { return fd_; }
    bool valid() const { return fd_ >= 0; }
    // Closes now and reports whether the close succeeded (a deferred write error shows here).
    bool close() {
        const int fd = fd_;
        fd_ = -1;
        return fd < 0 || ::close(fd) == 0;
    }

private:
    void reset() {
        if (fd_ >= 0) ::close(fd_);
        fd_ = -1;
    }
    int fd_;
};

// The file a path names, following a symbolic link, so that the rename replaces its target and
// not the link.
std::string resolvedPath(const std::string& path) {
    struct stat st{};
    if (::lstat(path.c_str(), &st) == 0 && S_ISLNK(st.st_mode)) {
        char target[PATH_MAX];
        if (::realpath(path.c_str(), target)) return target;
    }
    return path;
}

std::string directoryOf(const std::string& path) {
    const auto slash = path.rfind('/');
    if (slash == std::string::npos) return ".";
    if (slash == 0) return "/";
    return path.substr(0, slash);
}

std::string fileNameOf(const std::string& path) {
    const auto slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string temporaryPrefix(const std::string& path) { return "." + fileNameOf(path) + ".tmp-"; }

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

// The whole file, or nothing when it cannot be read; `missing` tells an absent file apart.
std::optional<std::string> readWhole(const std::string& path, bool& missing) {
    missing = false;
    // Non-blocking, so a named pipe in place of the file cannot hang the reader; it is refused below.
    FileDescriptor fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
    if (!fd.valid()) {
        missing = errno == ENOENT;
        return std::nullopt;
    }
    struct stat st{};
    if (::fstat(fd.get(), &st) != 0 || !S_ISREG(st.st_mode) || st.st_size > kLargestFile) return std::nullopt;
    // Read straight into a buffer of the file's size; a file that grows meanwhile is still read whole.
    std::string bytes(static_cast<std::size_t>(st.st_size) + 1, '\0');
    std::size_t filled = 0;
    for (;;) {
        if (filled == bytes.size()) bytes.resize(bytes.size() * 2);
        const ssize_t got = ::read(fd.get(), bytes.data() + filled, bytes.size() - filled);
        if (got < 0) {
            if (errno == EINTR) continue;
            return std::nullopt;
        }
        if (got == 0) break;
        filled += static_cast<std::size_t>(got);
        if (filled > static_cast<std::size_t>(kLargestFile)) return std::nullopt;
    }
    bytes.resize(filled);
    return bytes;
}

bool syncDirectory(const std::string& directory) {
    FileDescriptor fd(::open(directory.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    return fd.valid() && ::fsync(fd.get()) == 0;
}

// Holds the exclusive lock of a data file for its lifetime.
class CommitLock {
public:
    explicit CommitLock(const std::string& path)
        : fd_(::open((path + ".lock").c_str(), O_RDWR | O_CREAT | O_CLOEXEC, kNewFileMode)) {
        if (!fd_.valid()) return;
        while (::flock(fd_.get(), LOCK_EX) != 0) {
            if (errno != EINTR) {
                fd_.close();
                return;
            }
        }
    }
    bool held() const { return fd_.valid(); }

private:
    FileDescriptor fd_;
};

// Writes bytes to a new temporary file beside `path` with the given mode and renames it over
// `path`. The temporary file never outlives a failure.
bool replaceFile(const std::string& path, std::string_view bytes, mode_t mode) {
    const std::string directory = directoryOf(path);
    std::string temporary = directory + "/" + temporaryPrefix(path) + "XXXXXX";
    FileDescriptor fd(::mkostemp(temporary.data(), O_CLOEXEC));
    if (!fd.valid()) return false;
    const bool written = ::fchmod(fd.get(), mode) == 0 && writeAll(fd.get(), bytes) &&
                         ::fsync(fd.get()) == 0;
    if (!fd.close() || !written || ::rename(temporary.c_str(), path.c_str()) != 0) {
        ::unlink(temporary.c_str());
        return false;
    }
    syncDirectory(directory);
    return true;
}

// Temporary files of commits that were killed before their rename. Called under the lock, when no
// other commit can be writing one.
void removeStaleTemporaryFiles(const std::string& path) {
    const std::string directory = directoryOf(path);
    const std::string prefix = temporaryPrefix(path);
    DIR* listing = ::opendir(directory.c_str());
    if (!listing) return;
    while (const dirent* entry = ::readdir(listing)) {
        if (std::string_view(entry->d_name).starts_with(prefix))
            ::unlink((directory + "/" + entry->d_name).c_str());
    }
    ::closedir(listing);
}

bool isReadOnly(const struct stat& st, const std::string& path) {
    return (st.st_mode & S_IWUSR) == 0 || ::access(path.c_str(), W_OK) != 0;
}

}  // namespace

IniDocument snapshot(const std::string& path) {
    bool missing = false;
    auto bytes = readWhole(path, missing);
    return bytes ? IniDocument::parse(std::move(*bytes)) : IniDocument();
}

bool commit(const std::string& givenPath, const std::function<void(IniDocument&)>& edit) {
    const std::string path = resolvedPath(givenPath);
    CommitLock lock(path);
    if (!lock.held()) return false;
    removeStaleTemporaryFiles(path);

    struct stat st{};
    const bool exists = ::stat(path.c_str(), &st) == 0;
    if (exists && isReadOnly(st, path)) return false;
    bool missing = false;
    auto before = readWhole(path, missing);
    if (!before && !missing) return false;  // never replace a file we could not read

    IniDocument doc = before ? IniDocument::parse(*before) : IniDocument();
    edit(doc);
    const std::string after = doc.serialize();
    if (before && after == *before) return true;
    return replaceFile(path, after, exists ? (st.st_mode & 07777) : kNewFileMode);
}

std::string readValue(const std::string& path, std::string_view section, std::string_view key,
                      std::string_view defaultText, std::size_t bufferSize) {
    return snapshot(path).read(section, key, defaultText, bufferSize);
}

bool writeValue(const std::string& path, std::string_view section, std::string_view key,
                std::string_view value) {
    return commit(path, [&](IniDocument& doc) { doc.write(section, key, value); });
}

bool replaceSection(const std::string& path, std::string_view section) {
    return commit(path, [&](IniDocument& doc) { doc.clearSection(section); });
}

bool adoptPendingFile(const std::string& givenPath, const std::string& pendingPath) {
    if (::access(pendingPath.c_str(), F_OK) != 0) return false;
    const std::string path = resolvedPath(givenPath);
    CommitLock lock(path);
    if (!lock.held()) return false;
    // The pending file takes the place of the data file, and so its privacy.
    struct stat st{};
    ::chmod(pendingPath.c_str(), ::stat(path.c_str(), &st) == 0 ? (st.st_mode & 07777) : kNewFileMode);
    if (::rename(pendingPath.c_str(), path.c_str()) != 0) return false;
    syncDirectory(directoryOf(path));
    return true;
}

}  // namespace velorine::store
