#include "store/file_copy.h"

#include <sys/stat.h>

#include "store/file_system.h"

namespace velorine::store {
namespace {

WriteFailure publishBytes(std::string_view bytes, const std::string& givenTarget, files::Publish how) {
    const std::string target = how == files::Publish::Replace ? files::resolvedPath(givenTarget) : givenTarget;
    struct stat st{};
    const bool exists = ::lstat(target.c_str(), &st) == 0;
    if (exists && how == files::Publish::OnlyIfAbsent) return WriteFailure::NotARegularFile;
    if (exists && !S_ISREG(st.st_mode)) return WriteFailure::NotARegularFile;  // never in place of a directory
    if (exists && (st.st_mode & S_IWUSR) == 0) return WriteFailure::ReadOnlyFile;  // nor over a read-only file
    return files::publishFile(target, bytes, exists ? (st.st_mode & 07777) : files::kPrivateFileMode, how);
}

bool copyFile(const std::string& source, const std::string& target, files::Publish how) {
    ReadFailure failure = ReadFailure::None;
    const auto bytes = files::readWhole(source, failure);
    return bytes && publishBytes(*bytes, target, how) == WriteFailure::None;
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

namespace velorine::store {

WriteFailure writeFileReplacing(const std::string& target, std::string_view bytes) {
    return publishBytes(bytes, target, files::Publish::Replace);
}

}  // namespace velorine::store
