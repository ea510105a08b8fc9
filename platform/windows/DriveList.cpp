#include "platform/DriveList.h"

#include <windows.h>

#include "platform/windows/WindowsErrors.h"

namespace DriveList {

// A drive with nothing in it (an empty card reader or disc drive) has no
// folder at its top and is left out.
std::vector<std::string> Roots() {
    std::wstring names(::GetLogicalDriveStringsW(0, nullptr), L'\0');
    names.resize(::GetLogicalDriveStringsW(static_cast<DWORD>(names.size()), names.data()));
    std::vector<std::string> roots;
    for (size_t at = 0; at < names.size() && names[at] != L'\0'; at = names.find(L'\0', at) + 1) {
        const wchar_t* root = names.c_str() + at;
        const DWORD attributes = ::GetFileAttributesW(root);
        if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY))
            roots.push_back(WindowsErrors::Utf8(root));
    }
    if (roots.empty())
        roots.push_back("C:\\");
    return roots;
}

}  // namespace DriveList
