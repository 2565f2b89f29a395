#pragma once
// The file operations under the data file layer: whole-file reads that cannot hang, and files
// published whole (temporary file in the same directory, fsync, then rename or link, then a
// directory fsync), so that nobody ever sees half a file. Not for use outside store/.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include <sys/stat.h>
#include <sys/types.h>

#include "store/byte_sink.h"
#include "store/failure.h"

namespace velorine::store::files {

inline constexpr mode_t kPrivateFileMode = 0600;

// An open file descriptor, closed with its owner.
class FileDescriptor {
public:
    explicit FileDescriptor(int fd = -1) : fd_(fd) {}
    ~FileDescriptor();
    FileDescriptor(FileDescriptor&& other) noexcept : fd_(other.fd_) { other.fd_ = -1; }
    FileDescriptor& operator=(FileDescriptor&& other) noexcept;
    int get() const { return fd_; }
    bool valid() const { return fd_ >= 0; }
    // Closes now and reports whether the close succeeded (a deferred write error shows here).
    bool close();

private:
    int fd_;
};

// The file a path names, following a symbolic link, so that a replace changes its target and not
// the link. Callers ask mayFollowLink() first.
std::string resolvedPath(const std::string& path);

// Whether a symbolic link at `path` may be followed to read or write through it: not when its target
// is missing now (Failure::DanglingLink: replacing the link would hide the list once the target is
// back), nor when another user owns it in a directory others can write (Failure::ForeignLink:
// anyone there could point it at this user's files). Success when there is no link.
Result<> mayFollowLink(const std::string& path);

// Whether the existing file `st` describes, at `path`, may be replaced: a regular file of this
// user, writable.
Result<> mayReplace(const struct stat& st, const std::string& path);

std::string directoryOf(const std::string& path);

// The whole content of a regular file of at most `largest` bytes (kLargestDataFile at most), or why
// not. Never blocks on a named pipe.
Result<std::string> readWhole(const std::string& path, std::uintmax_t largest = kLargestDataFile);

// Makes what was renamed or linked into the directory last through a crash, as far as the file
// system lets it: the new name is already seen by everyone, so a failure here is not the
// operation's.
void syncDirectory(const std::string& directory);

enum class Publish {
    Replace,       // rename over whatever is at the path
    OnlyIfAbsent,  // fail when something is already at the path
};
// Writes `bytes` with `mode` to a temporary file beside `path` and publishes it there whole. The
// temporary file never outlives the call.
Result<> publishFile(const std::string& path, std::string_view bytes, mode_t mode, Publish how);
// The same for bytes made as they are written; small pieces are gathered before each write.
Result<> publishFile(const std::string& path, const ByteProducer& produce, mode_t mode, Publish how);

// Temporary files left beside `path` by writers killed before they published.
void removeStaleTemporaryFiles(const std::string& path);

}  // namespace velorine::store::files
