#include "store/failure.h"

#include <cerrno>

namespace velorine::store {

Failure failureFromErrno(int error) {
    switch (error) {
        case 0: return Failure::None;
        case ENOENT: return Failure::Missing;
        case ENOTDIR: return Failure::DirectoryMissing;
        case EISDIR: return Failure::Directory;
        case EEXIST: return Failure::AlreadyExists;
        case EACCES:
        case EPERM: return Failure::PermissionDenied;
        case EROFS: return Failure::ReadOnlyFileSystem;
        case ENOSPC:
        case EDQUOT: return Failure::DiskFull;
        case EFBIG: return Failure::TooLarge;
        default: return Failure::IoError;
    }
}

Failure creationFailureFromErrno(int error) {
    const Failure failure = failureFromErrno(error);
    return failure == Failure::Missing ? Failure::DirectoryMissing : failure;
}

}  // namespace velorine::store
