#include "platform/posix/PosixErrors.h"

#include <cerrno>
#include <string>
#include <sys/stat.h>

#include "support/RuntimeError.h"
#include "support/SystemErrors.h"

namespace PosixErrors {

namespace {

struct CodePair {
    int err;
    int32_t windowsCode;
};

// errno and the Windows code of the same meaning. ENOENT is refined to 3 by
// WindowsCode when the containing folder is missing.
constexpr CodePair windowsCodes[] = {
    {ENOENT, SystemErrorCode::FileNotFound},
    {ENOTDIR, SystemErrorCode::PathNotFound},
    {EACCES, SystemErrorCode::AccessDenied},
    {EPERM, SystemErrorCode::AccessDenied},
    {EBUSY, SystemErrorCode::SharingViolation},
    {ETXTBSY, SystemErrorCode::SharingViolation},
    {EEXIST, SystemErrorCode::FileExists},
    {EROFS, SystemErrorCode::WriteProtect},
    {ENOSPC, SystemErrorCode::DiskFull},
    {EDQUOT, SystemErrorCode::DiskFull},
    {ENAMETOOLONG, SystemErrorCode::FilenameExceedsRange},
    {EINVAL, SystemErrorCode::InvalidParameter},
    {EIO, SystemErrorCode::IoDevice},
};

}  // namespace

bool ContainingFolderMissing(std::string_view path) {
    const auto slash = path.rfind('/');
    if (slash == std::string_view::npos)
        return false;
    const std::string folder = slash == 0 ? std::string("/") : std::string(path.substr(0, slash));
    struct stat info {};
    return ::stat(folder.c_str(), &info) != 0 || !S_ISDIR(info.st_mode);
}

int32_t WindowsCode(int err, std::string_view path) {
    if (err == ENOENT && !path.empty() && ContainingFolderMissing(path))
        return SystemErrorCode::PathNotFound;
    for (const auto& pair : windowsCodes)
        if (pair.err == err)
            return pair.windowsCode;
    return SystemErrorCode::GeneralFailure;
}

void SetLastErrorFromErrno(int err, std::string_view path) { SystemErrors::SetLastErrorCode(WindowsCode(err, path)); }

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

void RaiseRuntimeError(int err, std::string_view path) { RuntimeError::Raise(RuntimeNumber(err, path)); }

}  // namespace PosixErrors
