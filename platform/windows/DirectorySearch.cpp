#include "support/DirectorySearch.h"

#include <windows.h>

#include <algorithm>
#include <cstring>
#include <map>
#include <mutex>
#include <string>

#include "platform/windows/WindowsErrors.h"
#include "support/SystemErrors.h"

namespace DirectorySearch {

namespace {

// The system's search handles are pointers; the program holds 32-bit numbers.
struct SearchTable {
    std::mutex lock;
    std::map<int32_t, HANDLE> searches;
    int32_t nextHandle = FirstHandle;
};

// Never destroyed: a search holder released while the program ends must
// still be able to close its search, whatever the order of destruction.
SearchTable& Table() {
    static auto* table = new SearchTable;
    return *table;
}

template <size_t N>
void CopyName(std::array<char, N>& field, const wchar_t* name) {
    const std::string text = WindowsErrors::Utf8(name);
    field.fill('\0');
    std::memcpy(field.data(), text.data(), std::min(text.size(), N - 1));
}

void Describe(const WIN32_FIND_DATAW& found, FindData* data) {
    *data = FindData{};
    data->dwFileAttributes = found.dwFileAttributes;
    data->nFileSizeLow = found.nFileSizeLow;
    CopyName(data->cFileName, found.cFileName);
    CopyName(data->cAlternateFileName, found.cAlternateFileName);
}

}  // namespace

int32_t FindFirstFile(const char* path, FindData* data) {
    if (path == nullptr || data == nullptr) {
        SystemErrors::SetLastErrorCode(SystemErrorCode::InvalidParameter);
        return InvalidHandle;
    }
    const auto wide = WindowsErrors::WidePath(path);
    if (!wide) {
        SystemErrors::SetLastErrorCode(ERROR_INVALID_NAME);
        return InvalidHandle;
    }
    WIN32_FIND_DATAW found{};
    const HANDLE search = ::FindFirstFileW(wide->c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) {
        WindowsErrors::RecordLastError();
        return InvalidHandle;
    }
    Describe(found, data);
    auto& table = Table();
    std::lock_guard guard(table.lock);
    const int32_t handle = table.nextHandle;
    // After two thousand million searches the numbers start over above the
    // file numbers; by then the early searches are long closed.
    table.nextHandle = handle == INT32_MAX ? FirstHandle : handle + 1;
    table.searches.emplace(handle, search);
    return handle;
}

bool FindNextFile(int32_t handle, FindData* data) {
    auto& table = Table();
    std::lock_guard guard(table.lock);
    const auto search = table.searches.find(handle);
    if (search == table.searches.end() || data == nullptr) {
        SystemErrors::SetLastErrorCode(data == nullptr ? SystemErrorCode::InvalidParameter : SystemErrorCode::InvalidHandle);
        return false;
    }
    WIN32_FIND_DATAW found{};
    if (!::FindNextFileW(search->second, &found)) {
        WindowsErrors::RecordLastError();
        return false;
    }
    Describe(found, data);
    return true;
}

bool FindClose(int32_t handle) {
    auto& table = Table();
    std::lock_guard guard(table.lock);
    const auto search = table.searches.find(handle);
    if (search == table.searches.end()) {
        SystemErrors::SetLastErrorCode(SystemErrorCode::InvalidHandle);
        return false;
    }
    const BOOL closed = ::FindClose(search->second);
    if (!closed)
        WindowsErrors::RecordLastError();
    table.searches.erase(search);
    return closed;
}

}  // namespace DirectorySearch
