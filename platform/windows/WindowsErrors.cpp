#include "platform/windows/WindowsErrors.h"

#include "base/RuntimeError.h"
#include "base/WideText.h"

namespace WindowsErrors {

namespace {

constexpr DWORD DiskQuotaExceeded = 1295;  // ERROR_DISK_QUOTA_EXCEEDED, missing from MinGW's headers

}  // namespace

std::optional<std::wstring> WidePath(std::string_view path) {
    if (path.find('\0') != std::string_view::npos)
        return std::nullopt;
    const auto units = WideText::FromUtf8(path);
    if (!units)
        return std::nullopt;
    return std::wstring(units->begin(), units->end());
}

std::string Utf8(const wchar_t* name) {
    const std::wstring_view units(name);
    return WideText::ToUtf8(std::u16string(units.begin(), units.end()));
}

int32_t RuntimeNumber(DWORD code) {
    switch (code) {
    case ERROR_FILE_NOT_FOUND:
        return ErrorNumber::FileNotFound;
    case ERROR_PATH_NOT_FOUND:
    case ERROR_DIRECTORY:
        return ErrorNumber::PathNotFound;
    case ERROR_ACCESS_DENIED:
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
    case ERROR_WRITE_PROTECT:
        return ErrorNumber::PermissionDenied;
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
    case DiskQuotaExceeded:
        return ErrorNumber::DiskFull;
    case ERROR_IO_DEVICE:
    case ERROR_CRC:
    case ERROR_NOT_READY:
    case ERROR_GEN_FAILURE:
        return ErrorNumber::DeviceIOError;
    case ERROR_FILE_EXISTS:
    case ERROR_ALREADY_EXISTS:
        return ErrorNumber::FileAlreadyExists;
    case ERROR_INVALID_HANDLE:
    case ERROR_INVALID_NAME:
    case ERROR_BAD_PATHNAME:
    case ERROR_FILENAME_EXCED_RANGE:
        return ErrorNumber::BadFileNameOrNumber;
    default:
        return ErrorNumber::PathFileAccessError;
    }
}

bool IsNoRoom(DWORD code) { return RuntimeNumber(code) == ErrorNumber::DiskFull; }

void RaiseRuntimeError(DWORD code) { RuntimeError::Raise(RuntimeNumber(code), static_cast<int32_t>(code)); }

void RaiseLastError() { RaiseRuntimeError(::GetLastError()); }

}  // namespace WindowsErrors
