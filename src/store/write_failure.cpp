#include "store/write_failure.h"

#include <cerrno>

namespace velorine::store {

WriteFailure writeFailureFromErrno(int error) {
    switch (error) {
        case 0: return WriteFailure::None;
        case ENOSPC:
        case EDQUOT: return WriteFailure::DiskFull;
        case EACCES:
        case EPERM: return WriteFailure::PermissionDenied;
        case EROFS: return WriteFailure::ReadOnlyFileSystem;
        case ENOENT:
        case ENOTDIR: return WriteFailure::DirectoryMissing;
        case EISDIR: return WriteFailure::NotARegularFile;
        case EFBIG: return WriteFailure::TooLarge;
        default: return WriteFailure::IoError;
    }
}

}  // namespace velorine::store
