#include "platform/FolderListing.h"

#include <cerrno>
#include <dirent.h>
#include <memory>
#include <string>
#include <sys/stat.h>

#include "base/RuntimeError.h"

namespace FolderListing {

namespace {

Kind KindOfMode(mode_t mode) { return S_ISREG(mode) ? Kind::File : S_ISDIR(mode) ? Kind::Folder : Kind::Other; }

// The entry's type as the folder reports it; a link, or a file system that
// does not say, costs one look at what the name leads to.
Kind KindOf(int folder, const dirent& entry) {
    switch (entry.d_type) {
    case DT_REG:
        return Kind::File;
    case DT_DIR:
        return Kind::Folder;
    case DT_LNK:
    case DT_UNKNOWN: {
        struct stat info {};
        return ::fstatat(folder, entry.d_name, &info, 0) == 0 ? KindOfMode(info.st_mode) : Kind::Other;
    }
    default:
        return Kind::Other;
    }
}

bool IsDotOrDotDot(const char* name) { return name[0] == '.' && (name[1] == '\0' || (name[1] == '.' && name[2] == '\0')); }

}  // namespace

std::vector<Entry> Read(std::string_view folder) {
    const std::string path(folder);
    if (path.empty() || path.find('\0') != std::string::npos)
        RuntimeError::Raise(ErrorNumber::PathNotFound);
    const std::unique_ptr<DIR, int (*)(DIR*)> dir(::opendir(path.c_str()), ::closedir);
    if (!dir)
        RuntimeError::Raise(ErrorNumber::PathNotFound, errno);
    std::vector<Entry> entries;
    while (const dirent* entry = ::readdir(dir.get())) {
        if (IsDotOrDotDot(entry->d_name))
            continue;
        entries.push_back(Entry{entry->d_name, KindOf(::dirfd(dir.get()), *entry), entry->d_name[0] == '.'});
    }
    return entries;
}

}  // namespace FolderListing
