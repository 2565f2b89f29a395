#pragma once
// Why a file could not be read whole: the callers that must not take an unreadable file for an
// empty one tell the user which it was.

#include <cstdint>

namespace velorine::store {

// No settings file is this large: a million people with addresses and e-mails take 150 MB. Refusing
// larger files before reading them keeps the memory of a start bounded (a few times this) and line
// offsets 32-bit.
inline constexpr std::uintmax_t kLargestDataFile = std::uintmax_t{256} << 20;

enum class ReadFailure {
    None,
    Missing,           // nothing at the path
    PathNotDirectory,  // a part of the path before the name is not a directory
    Directory,         // a directory at the path
    NotAFile,          // a named pipe, a device, a socket...
    AccessDenied,      // no permission to read it
    ReadError,         // the read itself failed
    TooLarge,          // larger than the caller accepts
    DanglingLink,      // a symbolic link whose target is missing now (another disk unplugged)
    ForeignLink,       // another user's symbolic link in a directory others can write: not followed
    NotSettings,       // read, but no settings file (UTF-16, or no section at all): not a list
};

}  // namespace velorine::store
