#include "store/file_copy.h"

#include <sys/stat.h>

#include "store/file_system.h"

namespace velorine::store {
namespace {

bool copyFile(const std::string& source, const std::string& givenTarget, files::Publish how) {
    ReadFailure failure = ReadFailure::None;
    const auto bytes = files::readWhole(source, failure);
    if (!bytes) return false;
    if (how == files::Publish::Replace && files::linkRefusal(givenTarget) != WriteFailure::None) return false;
    const std::string target = how == files::Publish::Replace ? files::resolvedPath(givenTarget) : givenTarget;
    struct stat st{};
    const bool exists = ::lstat(target.c_str(), &st) == 0;
    if (exists && how == files::Publish::OnlyIfAbsent) return false;
    // Never in place of a directory, a read-only file or another user's file.
    if (exists && files::replaceRefusal(st, target) != WriteFailure::None) return false;
    return files::publishFile(target, *bytes, exists ? (st.st_mode & 07777) : files::kPrivateFileMode, how) ==
           WriteFailure::None;
}

}  // namespace

bool copyFileReplacing(const std::string& source, const std::string& target) {
    return copyFile(source, target, files::Publish::Replace);
}

bool copyFileIfAbsent(const std::string& source, const std::string& target) {
    return copyFile(source, target, files::Publish::OnlyIfAbsent);
}

bool writeFileIfAbsent(const std::string& target, std::string_view bytes) {
    return files::publishFile(target, bytes, files::kPrivateFileMode, files::Publish::OnlyIfAbsent) ==
           WriteFailure::None;
}

}  // namespace velorine::store
