#include "support/DirectorySearch.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <map>
#include <mutex>
#include <string>
#include <string_view>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/posix/PosixErrors.h"
#include "support/NamePattern.h"
#include "support/SystemErrors.h"

namespace DirectorySearch {

namespace {

struct Search {
    DIR* folder = nullptr;
    std::string pattern;
};

struct SearchTable {
    std::mutex lock;
    std::map<int32_t, Search> searches;
    int32_t nextHandle = FirstHandle;
};

// Never destroyed: a search holder released while the program ends must
// still be able to close its search, whatever the order of destruction.
SearchTable& Table() {
    static auto* table = new SearchTable;
    return *table;
}

bool IsDotOrDotDot(const char* name) { return std::strcmp(name, ".") == 0 || std::strcmp(name, "..") == 0; }

// Fills `data` for one entry of the open folder. False when the entry has
// vanished since it was listed. A link is described by what it points to, and
// by itself when it points nowhere.
bool Describe(DIR* folder, const char* name, FindData* data) {
    const int dirFd = ::dirfd(folder);
    struct stat info {};
    if (::fstatat(dirFd, name, &info, 0) != 0 && ::fstatat(dirFd, name, &info, AT_SYMLINK_NOFOLLOW) != 0)
        return false;
    *data = FindData{};
    const bool isFolder = S_ISDIR(info.st_mode);
    if (isFolder)
        data->dwFileAttributes |= AttributeDirectory;
    if (::faccessat(dirFd, name, W_OK, 0) != 0)
        data->dwFileAttributes |= AttributeReadOnly;
    if (name[0] == '.' && !IsDotOrDotDot(name))
        data->dwFileAttributes |= AttributeHidden;
    data->nFileSizeLow = isFolder ? 0 : static_cast<uint32_t>(static_cast<uint64_t>(info.st_size));
    const size_t length = std::min(std::strlen(name), data->cFileName.size() - 1);
    std::memcpy(data->cFileName.data(), name, length);
    return true;
}

// Reads on to the next entry that matches. On false the last error is set:
// 18 at the end of the folder, or the code of a failed read.
bool ReadMatch(Search& search, FindData* data) {
    for (;;) {
        errno = 0;
        const dirent* entry = ::readdir(search.folder);
        if (entry == nullptr) {
            SystemErrors::SetLastErrorCode(errno == 0 ? SystemErrorCode::NoMoreFiles : PosixErrors::WindowsCode(errno));
            return false;
        }
        if (NamePattern::Matches(search.pattern, entry->d_name) && Describe(search.folder, entry->d_name, data))
            return true;
    }
}

}  // namespace

int32_t FindFirstFile(const char* path, FindData* data) {
    if (path == nullptr || data == nullptr) {
        SystemErrors::SetLastErrorCode(SystemErrorCode::InvalidParameter);
        return InvalidHandle;
    }
    const std::string_view fullPath(path);
    const auto slash = fullPath.rfind('/');
    std::string folder = slash == std::string_view::npos ? std::string(".")
                         : slash == 0                    ? std::string("/")
                                                         : std::string(fullPath.substr(0, slash));
    Search search;
    search.pattern = slash == std::string_view::npos ? std::string(fullPath) : std::string(fullPath.substr(slash + 1));
    if (search.pattern.empty()) {
        SystemErrors::SetLastErrorCode(SystemErrorCode::FileNotFound);
        return InvalidHandle;
    }
    search.folder = ::opendir(folder.c_str());
    if (search.folder == nullptr) {
        PosixErrors::SetLastErrorFromErrno(errno, fullPath);
        return InvalidHandle;
    }
    if (!ReadMatch(search, data)) {
        if (SystemErrors::LastErrorCode() == SystemErrorCode::NoMoreFiles)
            SystemErrors::SetLastErrorCode(SystemErrorCode::FileNotFound);
        ::closedir(search.folder);
        return InvalidHandle;
    }
    auto& table = Table();
    std::lock_guard guard(table.lock);
    const int32_t handle = table.nextHandle;
    // After two thousand million searches the numbers start over above the
    // file numbers; by then the early searches are long closed.
    table.nextHandle = handle == INT32_MAX ? FirstHandle : handle + 1;
    table.searches.emplace(handle, std::move(search));
    return handle;
}

bool FindNextFile(int32_t handle, FindData* data) {
    auto& table = Table();
    std::lock_guard guard(table.lock);
    const auto found = table.searches.find(handle);
    if (found == table.searches.end() || data == nullptr) {
        SystemErrors::SetLastErrorCode(data == nullptr ? SystemErrorCode::InvalidParameter : SystemErrorCode::InvalidHandle);
        return false;
    }
    return ReadMatch(found->second, data);
}

bool FindClose(int32_t handle) {
    auto& table = Table();
    std::lock_guard guard(table.lock);
    const auto found = table.searches.find(handle);
    if (found == table.searches.end()) {
        SystemErrors::SetLastErrorCode(SystemErrorCode::InvalidHandle);
        return false;
    }
    ::closedir(found->second.folder);
    table.searches.erase(found);
    return true;
}

}  // namespace DirectorySearch
