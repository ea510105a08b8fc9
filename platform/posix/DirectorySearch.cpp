#include "platform/DirectorySearch.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

#include "base/NamePattern.h"
#include "base/RuntimeError.h"
#include "platform/posix/PosixErrors.h"

namespace DirectorySearch {

struct Search::State {
    DIR* folder = nullptr;
    std::string pattern;

    ~State() {
        if (folder != nullptr)
            ::closedir(folder);
    }
};

namespace {

bool IsDotOrDotDot(const char* name) { return std::strcmp(name, ".") == 0 || std::strcmp(name, "..") == 0; }

// Fills `data` for one entry of the open folder. False when the entry has
// vanished since it was listed. A link is described by what it points to, and
// by itself when it points nowhere.
bool Describe(DIR* folder, const char* name, FindData& data) {
    const int dirFd = ::dirfd(folder);
    struct stat info {};
    if (::fstatat(dirFd, name, &info, 0) != 0 && ::fstatat(dirFd, name, &info, AT_SYMLINK_NOFOLLOW) != 0)
        return false;
    data = FindData{};
    const bool isFolder = S_ISDIR(info.st_mode);
    if (isFolder)
        data.dwFileAttributes |= AttributeDirectory;
    if (::faccessat(dirFd, name, W_OK, 0) != 0)
        data.dwFileAttributes |= AttributeReadOnly;
    if (name[0] == '.' && !IsDotOrDotDot(name))
        data.dwFileAttributes |= AttributeHidden;
    data.nFileSizeLow = isFolder ? 0 : static_cast<uint32_t>(static_cast<uint64_t>(info.st_size));
    const size_t length = std::min(std::strlen(name), data.cFileName.size() - 1);
    std::memcpy(data.cFileName.data(), name, length);
    return true;
}

}  // namespace

Search::Search(std::string_view path, FindData& first) : state_(std::make_unique<State>()) {
    const auto slash = path.rfind('/');
    const std::string folder = slash == std::string_view::npos ? std::string(".")
                               : slash == 0                    ? std::string("/")
                                                               : std::string(path.substr(0, slash));
    state_->pattern = slash == std::string_view::npos ? std::string(path) : std::string(path.substr(slash + 1));
    if (state_->pattern.empty())
        RuntimeError::Raise(ErrorNumber::FileNotFound, ENOENT);
    state_->folder = ::opendir(folder.c_str());
    if (state_->folder == nullptr)
        PosixErrors::RaiseRuntimeError(errno, path);
    if (!Next(first))
        RuntimeError::Raise(ErrorNumber::FileNotFound, ENOENT);
}

Search::~Search() = default;

bool Search::Next(FindData& data) {
    for (;;) {
        errno = 0;
        const dirent* entry = ::readdir(state_->folder);
        if (entry == nullptr) {
            if (errno != 0)
                PosixErrors::RaiseRuntimeError(errno);
            return false;
        }
        if (NamePattern::Matches(state_->pattern, entry->d_name) && Describe(state_->folder, entry->d_name, data))
            return true;
    }
}

}  // namespace DirectorySearch
