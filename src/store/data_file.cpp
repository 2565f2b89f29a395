#include "store/data_file.h"

#include <cerrno>
#include <climits>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "store/commit_lock.h"
#include "store/file_system.h"

namespace velorine::store {

std::string lockFilePath(const std::string& dataFile) { return dataFile + ".lock"; }

std::string linkTarget(const std::string& path) {
    std::string target(PATH_MAX, '\0');
    const ssize_t length = ::readlink(path.c_str(), target.data(), target.size());
    target.resize(length > 0 ? static_cast<std::size_t>(length) : 0);
    return target;
}

IniDocument snapshot(const std::string& path) {
    Result<IniDocument> read = readSnapshot(path);
    return read ? std::move(*read) : IniDocument();
}

Result<std::string> readFileBytes(const std::string& path, std::uintmax_t largest) {
    return files::readWhole(path, largest);
}

Result<IniDocument> readSnapshot(const std::string& path, std::uintmax_t largest) {
    Result<std::string> bytes = files::readWhole(path, largest);
    if (!bytes) return bytes.failure();
    if (!IniDocument::readsAsSettings(*bytes)) return Failure::NotSettings;
    return IniDocument::parse(std::move(*bytes));
}

Result<> commitIfEdited(const std::string& givenPath, const std::function<bool(IniDocument&)>& edit) {
    // Decided before anything, the lock file included, is created.
    if (Result<> followed = files::mayFollowLink(givenPath); !followed) return followed;
    const std::string path = files::resolvedPath(givenPath);
    CommitLock lock;
    if (Result<> taken = lock.take(givenPath); !taken) return taken;
    files::removeStaleTemporaryFiles(path);

    struct stat st {};
    const bool exists = ::stat(path.c_str(), &st) == 0;
    if (exists) {
        if (Result<> replaceable = files::mayReplace(st, path); !replaceable) return replaceable;
    }
    Result<std::string> before = files::readWhole(path);
    if (!before && before.failure() != Failure::Missing) return before.failure();
    // Taken for an empty list, such a file would be replaced by one that holds only the edit.
    const bool settings = !before || IniDocument::readsAsSettings(*before);

    // The document keeps the bytes it was parsed from: no second copy of a large file.
    IniDocument doc = before ? IniDocument::parse(std::move(*before)) : IniDocument();
    if (!edit(doc)) return Done{};
    if (!settings) return Failure::NotSettings;
    // Against no bytes for a missing file: an edit that leaves nothing creates nothing.
    if (doc.serializesToParsedBytes()) return Done{};
    // Written out piece by piece: the serial form of a large list is never held whole beside it.
    return files::publishFile(
        path, [&doc](const ByteSink& write) { return doc.serializeTo(write); },
        exists ? (st.st_mode & 07777) : files::kPrivateFileMode, files::Publish::Replace);
}

Result<> commit(const std::string& path, const std::function<void(IniDocument&)>& edit) {
    return commitIfEdited(path, [&edit](IniDocument& doc) {
        edit(doc);
        return true;
    });
}

std::string readValue(const std::string& path, std::string_view section, std::string_view key,
                      std::string_view defaultText, std::size_t bufferSize) {
    return snapshot(path).read(section, key, defaultText, bufferSize);
}

Result<> writeValue(const std::string& path, std::string_view section, std::string_view key, std::string_view value) {
    return commit(path, [&](IniDocument& doc) { doc.write(section, key, value); });
}

Result<> replaceSection(const std::string& path, std::string_view section) {
    return commit(path, [&](IniDocument& doc) { doc.clearSection(section); });
}

Result<> adoptPendingFile(const std::string& givenPath, const std::string& pendingPath) {
    struct stat present {};
    if (::lstat(pendingPath.c_str(), &present) != 0) return Failure::Missing;
    if (Result<> followed = files::mayFollowLink(givenPath); !followed) return followed;
    const std::string path = files::resolvedPath(givenPath);
    CommitLock lock;
    if (Result<> taken = lock.take(givenPath); !taken) return taken;
    // Only a regular file of this user is taken, never a link: renamed, a link would become the
    // data file, and changing the mode through it would change its target's.
    const files::FileDescriptor pending(::open(pendingPath.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK));
    if (!pending.valid()) return errno == ELOOP ? Failure::NotARegularFile : failureFromErrno(errno);
    struct stat pendingStat {};
    if (::fstat(pending.get(), &pendingStat) != 0) return Failure::IoError;
    if (S_ISDIR(pendingStat.st_mode)) return Failure::Directory;
    if (!S_ISREG(pendingStat.st_mode)) return Failure::NotARegularFile;
    if (pendingStat.st_uid != ::geteuid()) return Failure::ForeignFile;
    // The pending file takes the place of the data file, and so its privacy.
    struct stat st {};
    ::fchmod(pending.get(), ::stat(path.c_str(), &st) == 0 ? (st.st_mode & 07777) : files::kPrivateFileMode);
    if (::rename(pendingPath.c_str(), path.c_str()) != 0) return creationFailureFromErrno(errno);
    files::syncDirectory(files::directoryOf(path));
    return Done{};
}

}  // namespace velorine::store
