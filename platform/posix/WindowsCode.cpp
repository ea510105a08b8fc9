#include "platform/WindowsCode.h"

#include <cerrno>

namespace WindowsCode {

namespace {

struct CodePair {
    int err;
    int32_t windowsCode;
};

// errno and the Windows code of the same meaning. ENOENT depends on the
// failure's number (see Of).
constexpr CodePair windowsCodes[] = {
    {ENOTDIR, SystemErrorCode::PathNotFound},
    {EACCES, SystemErrorCode::AccessDenied},
    {EPERM, SystemErrorCode::AccessDenied},
    // Linux refuses to unlink a folder with EISDIR; Windows calls that a
    // refused access.
    {EISDIR, SystemErrorCode::AccessDenied},
    {EBUSY, SystemErrorCode::SharingViolation},
    // The whole-file lock of another open (flock, or a record lock).
    {EWOULDBLOCK, SystemErrorCode::SharingViolation},
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

int32_t Of(const RuntimeError& failure) {
    const int err = failure.SystemCode();
    if (err == ENOENT)
        return failure.Number() == ErrorNumber::PathNotFound ? SystemErrorCode::PathNotFound
                                                             : SystemErrorCode::FileNotFound;
    for (const auto& pair : windowsCodes)
        if (pair.err == err)
            return pair.windowsCode;
    return SystemErrorCode::GeneralFailure;
}

}  // namespace WindowsCode
