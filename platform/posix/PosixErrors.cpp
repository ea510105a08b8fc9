#include "platform/posix/PosixErrors.h"

#include <cerrno>
#include <string>
#include <sys/stat.h>

#include "base/RuntimeError.h"

namespace PosixErrors {

bool ContainingFolderMissing(std::string_view path) {
    const auto slash = path.rfind('/');
    if (slash == std::string_view::npos)
        return false;
    const std::string folder = slash == 0 ? std::string("/") : std::string(path.substr(0, slash));
    struct stat info {};
    return ::stat(folder.c_str(), &info) != 0 || !S_ISDIR(info.st_mode);
}

int32_t RuntimeNumber(int err, std::string_view path) {
    switch (err) {
    case ENOENT:
        return !path.empty() && ContainingFolderMissing(path) ? ErrorNumber::PathNotFound
                                                                : ErrorNumber::FileNotFound;
    case ENOTDIR:
        return ErrorNumber::PathNotFound;
    case EACCES:
    case EPERM:
    case EROFS:
    case EBUSY:
    case ETXTBSY:
    case EWOULDBLOCK:
        return ErrorNumber::PermissionDenied;
    case ENOSPC:
    case EDQUOT:
        return ErrorNumber::DiskFull;
    case EIO:
        return ErrorNumber::DeviceIOError;
    case EEXIST:
    case ENOTEMPTY:
        return ErrorNumber::FileAlreadyExists;
    case EBADF:
    case ENAMETOOLONG:
        return ErrorNumber::BadFileNameOrNumber;
    default:
        return ErrorNumber::PathFileAccessError;
    }
}

void RaiseRuntimeError(int err, std::string_view path) { RuntimeError::Raise(RuntimeNumber(err, path), err); }

}  // namespace PosixErrors
