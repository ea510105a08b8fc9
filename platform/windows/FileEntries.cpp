#include "platform/FileEntries.h"

#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>
#include <utility>

#include "base/RuntimeError.h"
#include "platform/windows/WindowsErrors.h"

namespace FileEntries {

namespace {

void Move(const std::wstring& from, const std::wstring& to) {
    if (!::MoveFileExW(from.c_str(), to.c_str(), 0))
        WindowsErrors::RaiseLastError();
}

// The volume and index of an entry; nullopt when it cannot be opened. Opened
// for no access at all, which no sharing mode refuses.
std::optional<std::pair<DWORD, uint64_t>> IdentityOf(const std::wstring& path) {
    const HANDLE entry = ::CreateFileW(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                       OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (entry == INVALID_HANDLE_VALUE)
        return std::nullopt;
    BY_HANDLE_FILE_INFORMATION info{};
    const BOOL known = ::GetFileInformationByHandle(entry, &info);
    ::CloseHandle(entry);
    if (!known)
        return std::nullopt;
    return std::pair{info.dwVolumeSerialNumber, (static_cast<uint64_t>(info.nFileIndexHigh) << 32) | info.nFileIndexLow};
}

bool SameEntry(const std::wstring& a, const std::wstring& b) {
    const auto first = IdentityOf(a);
    return first && first == IdentityOf(b);
}

std::wstring LastComponent(const std::wstring& path) {
    const auto separator = path.find_last_of(L"\\/");
    return separator == std::wstring::npos ? path : path.substr(separator + 1);
}

// The entry's name as the folder spells it.
std::wstring NameOnDisk(const std::wstring& path) {
    WIN32_FIND_DATAW found{};
    const HANDLE search = ::FindFirstFileW(path.c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return {};
    ::FindClose(search);
    return found.cFileName;
}

// Some layers (Wine on a case-sensitive Linux file system) report such a
// rename done and keep the old spelling; the file then goes through a name of
// its own, and back to where it was when the second step fails.
void ChangeCase(const std::wstring& from, const std::wstring& to) {
    Move(from, to);
    if (NameOnDisk(to) == LastComponent(to))
        return;
    const std::wstring between = from + L".tachlet-rename";
    Move(from, between);
    if (!::MoveFileExW(between.c_str(), to.c_str(), 0)) {
        const DWORD code = ::GetLastError();
        ::MoveFileExW(between.c_str(), from.c_str(), 0);
        WindowsErrors::RaiseRuntimeError(code);
    }
}

}  // namespace

void DeleteFile(std::string_view path) {
    const auto wide = WindowsErrors::WidePath(path);
    if (!wide)
        WindowsErrors::RaiseRuntimeError(ERROR_INVALID_NAME);
    if (!::DeleteFileW(wide->c_str()))
        WindowsErrors::RaiseLastError();
}

// Without MOVEFILE_REPLACE_EXISTING an existing target is never replaced.
// A new name that differs in letter case only names the source itself: that
// is a rename, unless the name is spelled exactly as it is on the disk.
void Rename(std::string_view oldPath, std::string_view newPath) {
    const auto from = WindowsErrors::WidePath(oldPath);
    const auto to = WindowsErrors::WidePath(newPath);
    if (!from || !to)
        WindowsErrors::RaiseRuntimeError(ERROR_INVALID_NAME);
    if (SameEntry(*from, *to)) {
        if (NameOnDisk(*from) == LastComponent(*to))
            WindowsErrors::RaiseRuntimeError(ERROR_ALREADY_EXISTS);
        ChangeCase(*from, *to);
        return;
    }
    Move(*from, *to);
}

}  // namespace FileEntries
