#include "platform/DirectorySearch.h"

#include <windows.h>

#include <algorithm>
#include <cstring>
#include <string>

#include "base/RuntimeError.h"
#include "platform/windows/WindowsErrors.h"

namespace DirectorySearch {

struct Search::State {
    HANDLE search = INVALID_HANDLE_VALUE;

    ~State() {
        if (search != INVALID_HANDLE_VALUE)
            ::FindClose(search);
    }
};

namespace {

template <size_t N>
void CopyName(std::array<char, N>& field, const wchar_t* name) {
    const std::string text = WindowsErrors::Utf8(name);
    field.fill('\0');
    std::memcpy(field.data(), text.data(), std::min(text.size(), N - 1));
}

void Describe(const WIN32_FIND_DATAW& found, FindData& data) {
    data = FindData{};
    data.dwFileAttributes = found.dwFileAttributes;
    data.nFileSizeLow = found.nFileSizeLow;
    CopyName(data.cFileName, found.cFileName);
    CopyName(data.cAlternateFileName, found.cAlternateFileName);
}

}  // namespace

Search::Search(std::string_view path, FindData& first) : state_(std::make_unique<State>()) {
    const auto wide = WindowsErrors::WidePath(path);
    if (!wide)
        WindowsErrors::RaiseRuntimeError(ERROR_INVALID_NAME);
    WIN32_FIND_DATAW found{};
    state_->search = ::FindFirstFileW(wide->c_str(), &found);
    if (state_->search == INVALID_HANDLE_VALUE)
        WindowsErrors::RaiseLastError();
    Describe(found, first);
}

Search::~Search() = default;

bool Search::Next(FindData& data) {
    WIN32_FIND_DATAW found{};
    if (!::FindNextFileW(state_->search, &found)) {
        const DWORD code = ::GetLastError();
        if (code == ERROR_NO_MORE_FILES)
            return false;
        WindowsErrors::RaiseRuntimeError(code);
    }
    Describe(found, data);
    return true;
}

}  // namespace DirectorySearch
