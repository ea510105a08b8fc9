#include "platform/FolderListing.h"

#include <windows.h>

#include <cwchar>

#include "base/RuntimeError.h"
#include "platform/windows/WindowsErrors.h"

namespace FolderListing {

namespace {

Kind KindOf(DWORD attributes) {
    if (attributes & FILE_ATTRIBUTE_DIRECTORY)
        return Kind::Folder;
    return (attributes & FILE_ATTRIBUTE_DEVICE) ? Kind::Other : Kind::File;
}

bool IsDotOrDotDot(const wchar_t* name) { return std::wcscmp(name, L".") == 0 || std::wcscmp(name, L"..") == 0; }

bool IsFolder(const std::wstring& path) {
    const DWORD attributes = ::GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

}  // namespace

std::vector<Entry> Read(std::string_view folder) {
    const auto wide = WindowsErrors::WidePath(folder);
    if (!wide || wide->empty())
        RuntimeError::Raise(ErrorNumber::PathNotFound, ERROR_INVALID_NAME);
    std::wstring pattern = *wide;
    if (pattern.back() != L'\\' && pattern.back() != L'/')
        pattern += L'\\';
    pattern += L'*';
    std::vector<Entry> entries;
    WIN32_FIND_DATAW found{};
    const HANDLE search = ::FindFirstFileExW(pattern.c_str(), FindExInfoBasic, &found, FindExSearchNameMatch, nullptr,
                                             FIND_FIRST_EX_LARGE_FETCH);
    if (search == INVALID_HANDLE_VALUE) {
        const DWORD code = ::GetLastError();
        // The top of an empty drive has no "." to find.
        if (code == ERROR_FILE_NOT_FOUND && IsFolder(*wide))
            return entries;
        RuntimeError::Raise(ErrorNumber::PathNotFound, static_cast<int32_t>(code));
    }
    do {
        if (!IsDotOrDotDot(found.cFileName))
            entries.push_back(Entry{WindowsErrors::Utf8(found.cFileName), KindOf(found.dwFileAttributes),
                                    (found.dwFileAttributes & FILE_ATTRIBUTE_HIDDEN) != 0});
    } while (::FindNextFileW(search, &found));
    const DWORD ended = ::GetLastError();
    ::FindClose(search);
    if (ended != ERROR_NO_MORE_FILES)
        RuntimeError::Raise(ErrorNumber::PathNotFound, static_cast<int32_t>(ended));
    return entries;
}

}  // namespace FolderListing
