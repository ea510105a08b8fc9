#include "platform/SystemFile.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include "base/RuntimeError.h"
#include "platform/posix/PosixErrors.h"

namespace SystemFile {

namespace {

int Descriptor(Handle file) { return static_cast<int>(file); }

int OpenFlags(OpenMode mode) {
    const int access = mode == OpenMode::Read ? O_RDONLY : O_RDWR;
    // O_NONBLOCK keeps the open of a named pipe or device swapped in after
    // the look at the path from hanging before it is refused; close-on-exec
    // keeps programs started through the shell from inheriting the file and
    // its lock.
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
            RuntimeError::Raise(ErrorNumber::PermissionDenied, errno);
    }
}

// Whether the record lock just refused runs only into the flock() lock this
// very open holds: network file systems that keep flock() locks as record
// locks on the server (SMB since Linux 5.5) report such a lock as one of this
// process. That lock already keeps every other record lock out.
bool OnlyOwnFlockLockInTheWay(int fd, struct flock wanted) {
    return ::fcntl(fd, F_OFD_GETLK, &wanted) == 0 && wanted.l_type != F_UNLCK && wanted.l_pid == ::getpid();
}

// Record locks (lockf, fcntl, and Wine's locks of Windows programs) live apart
// from flock() locks and never conflict with them, so the whole file is
// record-locked as well: shared for a load, which lets other readers be,
// exclusive for a save. The lock belongs to the open file description, like
// the flock() lock, and never waits. A file system that cannot take it (a
// network share whose lock service is gone) refuses the file rather than let
// it be written unguarded.
void LockRecords(int fd, OpenMode mode) {
    struct flock whole {};
    whole.l_type = mode == OpenMode::Read ? F_RDLCK : F_WRLCK;
    whole.l_whence = SEEK_SET;  // from the first byte, l_len 0: to the end however long the file grows
    while (::fcntl(fd, F_OFD_SETLK, &whole) != 0) {
        if (errno == EINTR)
            continue;
        if ((errno == EAGAIN || errno == EACCES) && OnlyOwnFlockLockInTheWay(fd, whole))
            return;
        RuntimeError::Raise(ErrorNumber::PermissionDenied, errno);
    }
}

struct stat StatusOf(int fd) {
    struct stat info {};
    if (::fstat(fd, &info) != 0)
        PosixErrors::RaiseRuntimeError(errno);
    return info;
}

}  // namespace

// The path is looked at before it is opened, so a named pipe or a device
// under a run file's name is never opened at all (an open alone may have an
// effect there: it wakes a writer waiting at a pipe). The descriptor is looked
// at again after the open, against an entry swapped in between.
Handle OpenLocked(const std::string& path, OpenMode mode) {
    struct stat named {};
    if (::stat(path.c_str(), &named) != 0)
        PosixErrors::RaiseRuntimeError(errno, path);
    if (!S_ISREG(named.st_mode))
        RuntimeError::Raise(ErrorNumber::PathFileAccessError);
    int fd;
    do
        fd = ::open(path.c_str(), OpenFlags(mode));
    while (fd < 0 && errno == EINTR);
    if (fd < 0)
        PosixErrors::RaiseRuntimeError(errno, path);
    try {
        if (!S_ISREG(StatusOf(fd).st_mode))
            RuntimeError::Raise(ErrorNumber::PathFileAccessError);
        LockExclusively(fd);
        LockRecords(fd, mode);
        const int flags = ::fcntl(fd, F_GETFL);
        if (flags < 0 || ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK) != 0)
            PosixErrors::RaiseRuntimeError(errno, path);
    } catch (...) {
        ::close(fd);
        throw;
    }
    return fd;
}

bool NamesFile(const std::string& path, Handle file) {
    struct stat named {};
    if (::stat(path.c_str(), &named) != 0) {
        if (errno == ENOENT || errno == ENOTDIR)
            return false;
        PosixErrors::RaiseRuntimeError(errno, path);
    }
    const struct stat open = StatusOf(Descriptor(file));
    return named.st_dev == open.st_dev && named.st_ino == open.st_ino;
}

size_t ReadAt(Handle file, int64_t offset, std::span<uint8_t> buffer) {
    size_t done = 0;
    while (done < buffer.size()) {
        const ssize_t n = ::pread(Descriptor(file), buffer.data() + done, buffer.size() - done,
                                  offset + static_cast<int64_t>(done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            PosixErrors::RaiseRuntimeError(errno);
        if (n == 0)
            break;
        done += static_cast<size_t>(n);
    }
    return done;
}

void WriteAt(Handle file, int64_t offset, std::span<const uint8_t> bytes) {
    size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::pwrite(Descriptor(file), bytes.data() + done, bytes.size() - done,
                                   offset + static_cast<int64_t>(done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            PosixErrors::RaiseRuntimeError(errno);
        if (n == 0)
            RuntimeError::Raise(ErrorNumber::DeviceIOError);
        done += static_cast<size_t>(n);
    }
}

FileStamp Stamp(Handle file) {
    const struct stat info = StatusOf(Descriptor(file));
    return FileStamp{static_cast<uint64_t>(info.st_dev), static_cast<uint64_t>(info.st_ino),
                                static_cast<uint64_t>(info.st_size),
                                static_cast<int64_t>(info.st_mtim.tv_sec) * 1'000'000'000 + info.st_mtim.tv_nsec};
}

// The room is set aside without making the file longer where the file system
// can: until the save's own write reaches past the end, the file reads exactly
// as before, also notes that the file's end cuts short (zeros after them would
// show as empty lines). Elsewhere the file grows, with zeros.
void Reserve(Handle file, int64_t length) {
    const int fd = Descriptor(file);
    const off_t size = StatusOf(fd).st_size;
    int err;
    do
        err = ::fallocate(fd, FALLOC_FL_KEEP_SIZE, size, length - size) == 0 ? 0 : errno;
    while (err == EINTR);
    if (err == EOPNOTSUPP || err == ENOSYS)
        err = ::posix_fallocate(fd, size, length - size);
    if (err == EOPNOTSUPP || err == EINVAL) {
        // A file system that cannot set space aside: writing the last byte
        // first at least makes a full disk fail before any other byte.
        const uint8_t zero = 0;
        err = ::pwrite(fd, &zero, 1, length - 1) == 1 ? 0 : errno;
    }
    if (err != 0) {
        // Space the call may have taken before it failed is given back, so the
        // file keeps its length.
        while (::ftruncate(fd, size) != 0 && errno == EINTR) {
        }
        PosixErrors::RaiseRuntimeError(err);
    }
}

void Flush(Handle file) {
    while (::fsync(Descriptor(file)) != 0) {
        if (errno != EINTR)
            PosixErrors::RaiseRuntimeError(errno);
    }
}

void SetModified(Handle file, int64_t modifiedNs) {
    constexpr int64_t NsPerSecond = 1'000'000'000;
    const int64_t seconds = modifiedNs / NsPerSecond - (modifiedNs % NsPerSecond < 0 ? 1 : 0);
    struct timespec times[2] {};
    times[0].tv_nsec = UTIME_OMIT;  // the last access stays as the system keeps it
    times[1].tv_sec = static_cast<time_t>(seconds);
    times[1].tv_nsec = static_cast<long>(modifiedNs - seconds * NsPerSecond);
    if (::futimens(Descriptor(file), times) != 0)
        PosixErrors::RaiseRuntimeError(errno);
}

void Close(Handle file) {
    // Linux frees the descriptor even when close() fails, so it is never
    // retried; EINTR says nothing about the data and is not reported.
    if (::close(Descriptor(file)) != 0 && errno != EINTR)
        PosixErrors::RaiseRuntimeError(errno);
}

}  // namespace SystemFile
