#include "support/SystemErrors.h"

#include <cerrno>
#include <string>
#include <sys/stat.h>

#include "support/RuntimeError.h"

namespace SystemErrors {

namespace {

thread_local int32_t lastErrorCode = 0;

struct CodePair {
    int err;
    int32_t windowsCode;
};

// errno and the Windows code of the same meaning. ENOENT is refined to 3 by
// WindowsCode when the containing folder is missing.
constexpr CodePair windowsCodes[] = {
    {ENOENT, FileNotFound},
    {ENOTDIR, PathNotFound},
    {EACCES, AccessDenied},
    {EPERM, AccessDenied},
    {EBUSY, SharingViolation},
    {ETXTBSY, SharingViolation},
    {EEXIST, FileExists},
    {EROFS, WriteProtect},
    {ENOSPC, DiskFull},
    {EDQUOT, DiskFull},
    {ENAMETOOLONG, FilenameExceedsRange},
    {EINVAL, InvalidParameter},
    {EIO, IoDevice},
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
        return PathNotFound;
    for (const auto& pair : windowsCodes)
        if (pair.err == err)
            return pair.windowsCode;
    return GeneralFailure;
}

int32_t LastErrorCode() { return lastErrorCode; }

void SetLastErrorCode(int32_t code) { lastErrorCode = code; }

void SetLastErrorFromErrno(int err, std::string_view path) { lastErrorCode = WindowsCode(err, path); }

int32_t RuntimeNumber(int err, std::string_view path) {
    switch (err) {
    case ENOENT:
        return !path.empty() && ContainingFolderMissing(path) ? RuntimeError::PathNotFound
                                                                : RuntimeError::FileNotFound;
    case ENOTDIR:
        return RuntimeError::PathNotFound;
    case EACCES:
    case EPERM:
    case EROFS:
    case EBUSY:
    case ETXTBSY:
    case EWOULDBLOCK:
        return RuntimeError::PermissionDenied;
    case ENOSPC:
    case EDQUOT:
        return RuntimeError::DiskFull;
    case EIO:
        return RuntimeError::DeviceIOError;
    case EEXIST:
    case ENOTEMPTY:
        return RuntimeError::FileAlreadyExists;
    case EBADF:
    case ENAMETOOLONG:
        return RuntimeError::BadFileNameOrNumber;
    default:
        return RuntimeError::PathFileAccessError;
    }
}

void RaiseRuntimeError(int err, std::string_view path) { RuntimeError::Raise(RuntimeNumber(err, path)); }

}  // namespace SystemErrors
