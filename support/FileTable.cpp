#include "support/FileTable.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <limits>
#include <mutex>
#include <string>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

#include "support/RuntimeError.h"
#include "support/SystemErrors.h"

namespace FileTable {

namespace {

struct OpenFile {
    int fd = -1;
    OpenMode mode = OpenMode::Read;
};

struct Table {
    std::mutex lock;
    std::array<OpenFile, HighestNumber + 1> files;  // index 0 unused; fd -1 = free
};

Table& Files() {
    static Table table;
    return table;
}

void CheckNumber(int32_t fileNumber) {
    if (fileNumber < LowestNumber || fileNumber > HighestNumber)
        RuntimeError::Raise(ErrorNumber::BadFileNameOrNumber);
}

OpenFile& OpenFileAt(Table& table, int32_t fileNumber) {
    CheckNumber(fileNumber);
    OpenFile& file = table.files[fileNumber];
    if (file.fd < 0)
        RuntimeError::Raise(ErrorNumber::BadFileNameOrNumber);
    return file;
}

// A path handed to the system must not hold a NUL: the system would see a
// different, shorter name.
std::string SystemPath(std::string_view path) {
    if (path.find('\0') != std::string_view::npos)
        RuntimeError::Raise(ErrorNumber::BadFileNameOrNumber);
    return std::string(path);
}

// The 0-based offset an access of `count` bytes starts at, checked so that
// the access cannot run past the largest offset.
int64_t StartOffset(int64_t position, size_t count) {
    if (position < 1 || count > static_cast<uint64_t>(std::numeric_limits<int64_t>::max() - (position - 1)))
        RuntimeError::Raise(ErrorNumber::BadRecordNumber);
    return position - 1;
}

int OpenFlags(OpenMode mode) {
    const int access = mode == OpenMode::Read ? O_RDONLY : O_RDWR;
    // O_NONBLOCK keeps the open of a named pipe or device from hanging before
    // it is refused below; close-on-exec keeps programs started through the
    // shell from inheriting the file and its lock.
    return access | O_CLOEXEC | O_NOCTTY | O_NONBLOCK;
}

// Takes the whole-file lock that keeps every other open of the file out.
// flock() locks the open file description, so two opens in this program
// exclude each other as two programs do, and it takes an exclusive lock on a
// read-only descriptor too (an OFD write lock through fcntl would need a
// descriptor open for writing, which the load does not have). The lock is
// advisory: it keeps out programs that lock the same way, such as another
// instance of this one. A file that cannot be locked at all is not opened.
void LockExclusively(int fd) {
    while (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        if (errno != EINTR)
            RuntimeError::Raise(ErrorNumber::PermissionDenied);
    }
}

int OpenLocked(const std::string& path, OpenMode mode) {
    int fd;
    do
        fd = ::open(path.c_str(), OpenFlags(mode));
    while (fd < 0 && errno == EINTR);
    if (fd < 0)
        SystemErrors::RaiseRuntimeError(errno, path);
    try {
        struct stat info {};
        if (::fstat(fd, &info) != 0)
            SystemErrors::RaiseRuntimeError(errno, path);
        if (!S_ISREG(info.st_mode))
            RuntimeError::Raise(ErrorNumber::PathFileAccessError);
        LockExclusively(fd);
        const int flags = ::fcntl(fd, F_GETFL);
        if (flags < 0 || ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK) != 0)
            SystemErrors::RaiseRuntimeError(errno, path);
    } catch (...) {
        ::close(fd);
        throw;
    }
    return fd;
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
        SystemErrors::RaiseRuntimeError(err, sourceThere ? to : from);
    }
    SystemErrors::RaiseRuntimeError(err, to);
}

}  // namespace

int32_t FreeFile() {
    auto& table = Files();
    std::lock_guard guard(table.lock);
    for (int32_t number = LowestNumber; number <= HighestNumber; ++number)
        if (table.files[number].fd < 0)
            return number;
    RuntimeError::Raise(ErrorNumber::BadFileNameOrNumber);
}

void Open(std::string_view path, OpenMode mode, int32_t fileNumber) {
    CheckNumber(fileNumber);
    const std::string systemPath = SystemPath(path);
    auto& table = Files();
    std::lock_guard guard(table.lock);
    OpenFile& file = table.files[fileNumber];
    if (file.fd >= 0)
        RuntimeError::Raise(ErrorNumber::FileAlreadyOpen);
    file = OpenFile{OpenLocked(systemPath, mode), mode};
}

size_t Read(int32_t fileNumber, int64_t position, std::span<uint8_t> buffer) {
    auto& table = Files();
    std::lock_guard guard(table.lock);
    const OpenFile& file = OpenFileAt(table, fileNumber);
    const int64_t start = StartOffset(position, buffer.size());
    size_t done = 0;
    while (done < buffer.size()) {
        const ssize_t n = ::pread(file.fd, buffer.data() + done, buffer.size() - done, start + static_cast<int64_t>(done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            SystemErrors::RaiseRuntimeError(errno);
        if (n == 0)
            break;
        done += static_cast<size_t>(n);
    }
    std::fill(buffer.begin() + static_cast<std::ptrdiff_t>(done), buffer.end(), uint8_t{0});
    return done;
}

void Write(int32_t fileNumber, int64_t position, std::span<const uint8_t> bytes) {
    auto& table = Files();
    std::lock_guard guard(table.lock);
    const OpenFile& file = OpenFileAt(table, fileNumber);
    if (file.mode == OpenMode::Read)
        RuntimeError::Raise(ErrorNumber::PathFileAccessError);
    const int64_t start = StartOffset(position, bytes.size());
    size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::pwrite(file.fd, bytes.data() + done, bytes.size() - done, start + static_cast<int64_t>(done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            SystemErrors::RaiseRuntimeError(errno);
        if (n == 0)
            RuntimeError::Raise(ErrorNumber::DeviceIOError);
        done += static_cast<size_t>(n);
    }
}

int64_t Length(int32_t fileNumber) { return static_cast<int64_t>(Stamp(fileNumber).size); }

FileStamp Stamp(int32_t fileNumber) {
    auto& table = Files();
    std::lock_guard guard(table.lock);
    struct stat info {};
    if (::fstat(OpenFileAt(table, fileNumber).fd, &info) != 0)
        SystemErrors::RaiseRuntimeError(errno);
    return FileStamp{static_cast<uint64_t>(info.st_dev), static_cast<uint64_t>(info.st_ino),
                     static_cast<uint64_t>(info.st_size),
                     static_cast<int64_t>(info.st_mtim.tv_sec) * 1'000'000'000 + info.st_mtim.tv_nsec};
}

void Reserve(int32_t fileNumber, int64_t length) {
    auto& table = Files();
    std::lock_guard guard(table.lock);
    const OpenFile& file = OpenFileAt(table, fileNumber);
    if (file.mode == OpenMode::Read)
        RuntimeError::Raise(ErrorNumber::PathFileAccessError);
    struct stat info {};
    if (::fstat(file.fd, &info) != 0)
        SystemErrors::RaiseRuntimeError(errno);
    if (length <= info.st_size)
        return;
    int err = ::posix_fallocate(file.fd, info.st_size, length - info.st_size);
    if (err == EOPNOTSUPP || err == EINVAL) {
        // A file system that cannot set space aside: writing the last byte
        // first at least makes a full disk fail before any other byte.
        const uint8_t zero = 0;
        err = ::pwrite(file.fd, &zero, 1, length - 1) == 1 ? 0 : errno;
    }
    if (err != 0) {
        // Space the call may have taken before it failed is given back, so the
        // file keeps its length.
        while (::ftruncate(file.fd, info.st_size) != 0 && errno == EINTR) {
        }
        SystemErrors::RaiseRuntimeError(err);
    }
}

void Flush(int32_t fileNumber) {
    auto& table = Files();
    std::lock_guard guard(table.lock);
    const int fd = OpenFileAt(table, fileNumber).fd;
    while (::fsync(fd) != 0) {
        if (errno != EINTR)
            SystemErrors::RaiseRuntimeError(errno);
    }
}

void Close(int32_t fileNumber) {
    CheckNumber(fileNumber);
    auto& table = Files();
    std::lock_guard guard(table.lock);
    OpenFile& file = table.files[fileNumber];
    const int fd = file.fd;
    if (fd < 0)
        return;
    file = OpenFile{};
    // Linux frees the descriptor even when close() fails, so it is never
    // retried; EINTR says nothing about the data and is not reported.
    if (::close(fd) != 0 && errno != EINTR)
        SystemErrors::RaiseRuntimeError(errno);
}

bool IsOpen(int32_t fileNumber) {
    if (fileNumber < LowestNumber || fileNumber > HighestNumber)
        return false;
    auto& table = Files();
    std::lock_guard guard(table.lock);
    return table.files[fileNumber].fd >= 0;
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

}  // namespace FileTable
