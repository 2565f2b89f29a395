#include "store/private_files.h"

#include <cerrno>

#include <sys/stat.h>
#include <unistd.h>

#include "store/file_system.h"

namespace velorine::store {

bool createPrivateDirectories(const std::string& path) {
    for (std::size_t slash = path.find('/', 1);; slash = path.find('/', slash + 1)) {
        const std::string prefix = path.substr(0, slash);
        if (!prefix.empty() && ::mkdir(prefix.c_str(), 0700) != 0 && errno != EEXIST) return false;
        if (slash == std::string::npos) break;
    }
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool preparePrivateFolder(const std::string& path) {
    if (!createPrivateDirectories(path)) return false;
    struct stat st {};
    if (::lstat(path.c_str(), &st) != 0 || !S_ISDIR(st.st_mode) || st.st_uid != ::geteuid()) return false;
    return (st.st_mode & 077) == 0 || ::chmod(path.c_str(), 0700) == 0;
}

bool writePrivateFile(const std::string& path, std::string_view bytes) {
    return files::publishFile(path, bytes, files::kPrivateFileMode, files::Publish::Replace) == WriteFailure::None;
}

}  // namespace velorine::store
