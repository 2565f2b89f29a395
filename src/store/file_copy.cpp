#include "store/file_copy.h"

#include <sys/stat.h>

#include "store/file_system.h"

namespace velorine::store {
namespace {

// Never through a link that must not be followed, nor in place of a directory, a read-only file or
// another user's file.
Result<> publishBytes(const ByteProducer& produce, const std::string& givenTarget, files::Publish how) {
    if (how == files::Publish::Replace) {
        if (Result<> followed = files::mayFollowLink(givenTarget); !followed) return followed;
    }
    const std::string target = how == files::Publish::Replace ? files::resolvedPath(givenTarget) : givenTarget;
    struct stat st {};
    const bool exists = ::lstat(target.c_str(), &st) == 0;
    if (exists && how == files::Publish::OnlyIfAbsent) return Failure::AlreadyExists;
    if (exists) {
        if (Result<> replaceable = files::mayReplace(st, target); !replaceable) return replaceable;
    }
    return files::publishFile(target, produce, exists ? (st.st_mode & 07777) : files::kPrivateFileMode, how);
}

Result<> copyFile(const std::string& source, const std::string& target, files::Publish how) {
    const Result<std::string> bytes = files::readWhole(source);
    if (!bytes) return bytes.failure();
    return publishBytes(wholeBytes(*bytes), target, how);
}

}  // namespace

Result<> copyFileReplacing(const std::string& source, const std::string& target) {
    return copyFile(source, target, files::Publish::Replace);
}

Result<> copyFileIfAbsent(const std::string& source, const std::string& target) {
    return copyFile(source, target, files::Publish::OnlyIfAbsent);
}

Result<> writeFileIfAbsent(const std::string& target, std::string_view bytes) {
    return files::publishFile(target, bytes, files::kPrivateFileMode, files::Publish::OnlyIfAbsent);
}

Result<> writeFileReplacing(const std::string& target, std::string_view bytes) {
    return publishBytes(wholeBytes(bytes), target, files::Publish::Replace);
}

Result<> writeFileReplacing(const std::string& target, const ByteProducer& produce) {
    return publishBytes(produce, target, files::Publish::Replace);
}

}  // namespace velorine::store
