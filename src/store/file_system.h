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
#include "store/read_failure.h"
#include "store/write_failure.h"

namespace velorine::store::files {

inline constexpr mode_t kPrivateFileMode = 0600;

// An open file descriptor, closed with its owner.
class FileDescriptor {
public:
    explicit FileDescriptor(int fd = -1) : fd_(fd) {}
    ~FileDescriptor();
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    int get() const { return fd_; }
    bool valid() const { return fd_ >= 0; }
    // Closes now and reports whether the close succeeded (a deferred write error shows here).
    bool close();

private:
    int fd_;
};

// The file a path names, following a symbolic link, so that a replace changes its target and not
// the link. Callers ask linkRefusal() first.
std::string resolvedPath(const std::string& path);

// Why a symbolic link at `path` must not be followed to write through it: WriteFailure::DanglingLink
// when its target is missing now (replacing the link would hide the list once the target is back),
// WriteFailure::ForeignLink when another user owns it in a directory others can write (anyone there
// could point it at this user's files). None when there is no link or it may be followed.
WriteFailure linkRefusal(const std::string& path);

// The same for reading: ReadFailure::DanglingLink, ReadFailure::ForeignLink or None.
ReadFailure linkReadFailure(const std::string& path);

// None when the existing file `st` describes, at `path`, may be replaced: a regular file of this
// user, writable.
WriteFailure replaceRefusal(const struct stat& st, const std::string& path);
std::string directoryOf(const std::string& path);
// The name prefix of the temporary files published beside `path`.
std::string temporaryPrefix(const std::string& path);

// The whole content of a regular file of at most `largest` bytes (kLargestDataFile at most), or nothing, with
// the reason in `failure`. Never blocks on a named pipe.
std::optional<std::string> readWhole(const std::string& path, ReadFailure& failure,
                                     std::uintmax_t largest = kLargestDataFile);

bool syncDirectory(const std::string& directory);

enum class Publish {
    Replace,       // rename over whatever is at the path
    OnlyIfAbsent,  // fail when something is already at the path
};
// Writes `bytes` with `mode` to a temporary file beside `path` and publishes it there whole. The
// temporary file never outlives the call. WriteFailure::None when published, else why not.
WriteFailure publishFile(const std::string& path, std::string_view bytes, mode_t mode, Publish how);
// The same for bytes made as they are written; small pieces are gathered before each write.
WriteFailure publishFile(const std::string& path, const ByteProducer& produce, mode_t mode, Publish how);

// Temporary files left beside `path` by writers killed before they published.
void removeStaleTemporaryFiles(const std::string& path);

}  // namespace velorine::store::files
