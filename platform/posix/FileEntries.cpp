#include "platform/FileEntries.h"

#include <algorithm>
#include <cerrno>
#include <dirent.h>
#include <fcntl.h>
#include <string>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

#include "base/RuntimeError.h"
#include "platform/posix/PosixErrors.h"

namespace FileEntries {

namespace {

// A NUL would end the name early: the system would see, and delete or
// rename, another entry.
std::string SystemPath(std::string_view path) {
    if (path.find('\0') != std::string_view::npos)
        RuntimeError::Raise(ErrorNumber::BadFileNameOrNumber, EINVAL);
    return std::string(path);
}

int RenameNoReplace(const std::string& from, const std::string& to) {
#ifdef SYS_renameat2
    return static_cast<int>(::syscall(SYS_renameat2, AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE));
#else
    errno = ENOSYS;
    return -1;
#endif
}

// For a file system that refuses the no-replace flag: a hard link fails when
// the target exists, so nothing is ever overwritten. Returns 0 or an errno.
int LinkThenUnlink(const std::string& from, const std::string& to) {
    if (::link(from.c_str(), to.c_str()) != 0)
        return errno;
    if (::unlink(from.c_str()) != 0) {
        const int err = errno;
        ::unlink(to.c_str());
        return err;
    }
    return 0;
}

std::pair<std::string, std::string> SplitPath(const std::string& path) {
    const auto slash = path.rfind('/');
    if (slash == std::string::npos)
        return {".", path};
    return {slash == 0 ? std::string("/") : path.substr(0, slash), path.substr(slash + 1)};
}

bool EqualIgnoringCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               const auto fold = [](char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c; };
               return fold(x) == fold(y);
           });
}

bool HasEntryNamedExactly(const std::string& folder, const std::string& name) {
    DIR* dir = ::opendir(folder.c_str());
    if (dir == nullptr)
        return true;  // cannot tell: take the name as taken
    bool found = false;
    while (const dirent* entry = ::readdir(dir))
        if (name == entry->d_name) {
            found = true;
            break;
        }
    ::closedir(dir);
    return found;
}

// On a file system that ignores case, a.gtp to A.GTP finds the target
// "existing": it is the source itself. Such a rename replaces nothing.
bool IsCaseOnlyChange(const std::string& from, const std::string& to) {
    const auto [fromFolder, fromName] = SplitPath(from);
    const auto [toFolder, toName] = SplitPath(to);
    if (fromFolder != toFolder || fromName == toName || !EqualIgnoringCase(fromName, toName))
        return false;
    struct stat a {}, b {};
    if (::lstat(from.c_str(), &a) != 0 || ::lstat(to.c_str(), &b) != 0)
        return false;
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino && !HasEntryNamedExactly(toFolder, toName);
}

[[noreturn]] void RaiseRenameError(int err, const std::string& from, const std::string& to) {
    if (err == ENOENT) {
        struct stat info {};
        const bool sourceThere = ::lstat(from.c_str(), &info) == 0;
        PosixErrors::RaiseRuntimeError(err, sourceThere ? to : from);
    }
    PosixErrors::RaiseRuntimeError(err, to);
}

}  // namespace

void DeleteFile(std::string_view path) {
    const std::string systemPath = SystemPath(path);
    if (::unlink(systemPath.c_str()) != 0)
        PosixErrors::RaiseRuntimeError(errno, systemPath);
}

void Rename(std::string_view oldPath, std::string_view newPath) {
    const std::string from = SystemPath(oldPath);
    const std::string to = SystemPath(newPath);
    if (RenameNoReplace(from, to) == 0)
        return;
    int err = errno;
    if (err == EINVAL || err == ENOSYS) {
        err = LinkThenUnlink(from, to);
        if (err == 0)
            return;
    }
    if (err == EEXIST && IsCaseOnlyChange(from, to)) {
        if (::rename(from.c_str(), to.c_str()) == 0)
            return;
        err = errno;
    }
    RaiseRenameError(err, from, to);
}

}  // namespace FileEntries
