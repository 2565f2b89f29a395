#include "store/file_copy.h"

#include <sys/stat.h>

#include "store/file_system.h"

namespace velorine::store {
namespace {

// Never through a link that must not be followed, nor in place of a directory, a read-only file or
// another user's file.
WriteFailure publishBytes(const ByteProducer& produce, const std::string& givenTarget, files::Publish how) {
    if (how == files::Publish::Replace) {
        if (const WriteFailure refusal = files::linkRefusal(givenTarget); refusal != WriteFailure::None) return refusal;
    }
    const std::string target = how == files::Publish::Replace ? files::resolvedPath(givenTarget) : givenTarget;
    struct stat st {};
    const bool exists = ::lstat(target.c_str(), &st) == 0;
    if (exists && how == files::Publish::OnlyIfAbsent) return WriteFailure::NotARegularFile;
    if (exists) {
        if (const WriteFailure refusal = files::replaceRefusal(st, target); refusal != WriteFailure::None)
            return refusal;
    }
    return files::publishFile(target, produce, exists ? (st.st_mode & 07777) : files::kPrivateFileMode, how);
}

bool copyFile(const std::string& source, const std::string& target, files::Publish how) {
    ReadFailure failure = ReadFailure::None;
    const auto bytes = files::readWhole(source, failure);
    return bytes && publishBytes(wholeBytes(*bytes), target, how) == WriteFailure::None;
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

WriteFailure writeFileReplacing(const std::string& target, std::string_view bytes) {
    return publishBytes(wholeBytes(bytes), target, files::Publish::Replace);
}

WriteFailure writeFileReplacing(const std::string& target, const ByteProducer& produce) {
    return publishBytes(produce, target, files::Publish::Replace);
}

}  // namespace velorine::store
