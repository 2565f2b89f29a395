#include "store/private_files.h"

#include <cerrno>

#include <sys/stat.h>
#include <unistd.h>

#include "store/file_system.h"

namespace velorine::store {

Result<> createPrivateDirectories(const std::string& path) {
    for (std::size_t slash = path.find('/', 1);; slash = path.find('/', slash + 1)) {
        const std::string prefix = path.substr(0, slash);
        if (!prefix.empty() && ::mkdir(prefix.c_str(), 0700) != 0 && errno != EEXIST)
            return creationFailureFromErrno(errno);
        if (slash == std::string::npos) break;
    }
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0) return creationFailureFromErrno(errno);
    if (!S_ISDIR(st.st_mode)) return Failure::DirectoryMissing;
    return Done{};
}

Result<> preparePrivateFolder(const std::string& path) {
    if (Result<> created = createPrivateDirectories(path); !created) return created;
    struct stat st {};
    if (::lstat(path.c_str(), &st) != 0) return failureFromErrno(errno);
    if (!S_ISDIR(st.st_mode)) return Failure::NotARegularFile;
    if (st.st_uid != ::geteuid()) return Failure::ForeignFile;
    if ((st.st_mode & 077) != 0 && ::chmod(path.c_str(), 0700) != 0) return failureFromErrno(errno);
    return Done{};
}

Result<> writePrivateFile(const std::string& path, std::string_view bytes) {
    return files::publishFile(path, bytes, files::kPrivateFileMode, files::Publish::Replace);
}

}  // namespace velorine::store
