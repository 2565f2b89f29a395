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

bool isReadOnly(const struct stat& st, const std::string& path) {
    return (st.st_mode & S_IWUSR) == 0 || ::access(path.c_str(), W_OK) != 0;
}

}  // namespace

IniDocument snapshot(const std::string& path) {
    ReadFailure ignored = ReadFailure::None;
    return readSnapshot(path, ignored).value_or(IniDocument());
}

std::optional<IniDocument> readSnapshot(const std::string& path, ReadFailure& failure, std::uintmax_t largest) {
    auto bytes = files::readWhole(path, failure, largest);
    if (!bytes) return std::nullopt;
    return IniDocument::parse(std::move(*bytes));
}

bool commit(const std::string& givenPath, const std::function<void(IniDocument&)>& edit) {
    const std::string path = files::resolvedPath(givenPath);
    CommitLock lock(path);
    if (!lock.held()) return false;
    files::removeStaleTemporaryFiles(path);

    struct stat st{};
    const bool exists = ::stat(path.c_str(), &st) == 0;
    if (exists && isReadOnly(st, path)) return false;
    ReadFailure failure = ReadFailure::None;
    auto before = files::readWhole(path, failure);
    if (!before && failure != ReadFailure::Missing) return false;  // never replace a file we could not read

    IniDocument doc = before ? IniDocument::parse(*before) : IniDocument();
    edit(doc);
    const std::string after = doc.serialize();
    if (before && after == *before) return true;
    return files::publishFile(path, after, exists ? (st.st_mode & 07777) : files::kPrivateFileMode, files::Publish::Replace);
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
