#pragma once
// How store/ says that something could not be done, and why.
//
// Every operation of store/ that can fail returns a Result: on success the value it hands back
// (Done when there is none), otherwise the cause of the failure, one Failure. Reads and writes share
// the causes, so a read that fails inside a commit is the commit's cause as it stands, and a window
// that read a file can word the cause as the write would have.
//
// Results are [[nodiscard]]: a caller that does not act on a failure says so where it drops it
// (`std::ignore = …`, with the reason beside it).

#include <cstdint>
#include <optional>
#include <type_traits>
#include <utility>

namespace velorine::store {

// No settings file is this large: a million people with addresses and e-mails take 150 MB. Refusing
// larger files before reading them keeps the memory of a start bounded (a few times this) and line
// offsets 32-bit.
inline constexpr std::uintmax_t kLargestDataFile = std::uintmax_t{256} << 20;

enum class Failure {
    None,
    Missing,             // nothing at the path
    DirectoryMissing,    // the directory of the file does not exist, or a part of the path is no directory
    Directory,           // a directory at the path
    NotARegularFile,     // a named pipe, a device, a socket... at the path
    AlreadyExists,       // something is already at a path that had to be free
    PermissionDenied,    // no right to read or write the file, or to create one in its directory
    ReadOnlyFileSystem,  // the file lives on a file system mounted read-only
    ReadOnlyFile,        // the file itself has no write permission for its owner
    ForeignFile,         // the file belongs to another user: never taken over
    DanglingLink,        // a symbolic link whose target is missing now (a disk unplugged): never replaced
    ForeignLink,         // another user's symbolic link in a directory others can write: not followed
    TooLarge,            // the file is, or would become, larger than allowed
    NotSettings,         // read, but no settings file (UTF-16, or no section at all): never replaced
    DiskFull,            // no space left, or the user's quota is reached
    LockHeld,            // another program holds the lock file and did not let it go in time
    LockNotAFile,        // a directory, a link or a device where the lock file goes
    LockForeign,         // the lock file belongs to another user
    LockReadOnly,        // this user's lock file, but without write permission
    IoError,             // the disk reported an error, or anything else went wrong
};

// The cause of a failed open of an existing file, or of a read: ENOENT is Failure::Missing.
Failure failureFromErrno(int error);
// The cause of a failed creation, write, fsync, close, rename or link: a name missing then is the
// directory's (Failure::DirectoryMissing).
Failure creationFailureFromErrno(int error);

// What an operation that hands nothing back hands back when it succeeds.
struct Done {};

// The value of an operation, or the cause of its failure.
template <typename T = Done>
class [[nodiscard]] Result {
public:
    Result(T value) : value_(std::move(value)) {}
    // A failure. Failure::None is success, and only a Result<Done> can be built from it: any other
    // would have no value to give, and is taken for Failure::IoError.
    Result(Failure failure) : failure_(failure) {
        if (failure_ != Failure::None) return;
        if constexpr (std::is_same_v<T, Done>)
            value_.emplace();
        else
            failure_ = Failure::IoError;
    }

    explicit operator bool() const { return value_.has_value(); }
    // Failure::None when the operation succeeded.
    Failure failure() const { return failure_; }

    // The value; only when the operation succeeded.
    T& operator*() & { return *value_; }
    const T& operator*() const& { return *value_; }
    T&& operator*() && { return std::move(*value_); }
    T* operator->() { return &*value_; }
    const T* operator->() const { return &*value_; }

private:
    std::optional<T> value_;
    Failure failure_ = Failure::None;
};

}  // namespace velorine::store
