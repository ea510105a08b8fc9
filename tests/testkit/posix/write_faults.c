/* Faults put into a real process from outside, loaded with LD_PRELOAD into a
 * program the tests start:
 *   TACHLET_KILL_AT_WRITE=N  the process kills itself with SIGKILL just
 *                            before its N-th call that changes a regular
 *                            file (write, pwrite, fallocate, posix_fallocate,
 *                            ftruncate), so that call and the rest never run
 *   TACHLET_STOP_AT=NAME:K   the process stops itself with SIGSTOP just before
 *                            its K-th call of NAME (flock, pwrite or fsync);
 *                            the test does what it wants meanwhile and sends
 *                            SIGCONT
 * Each call goes on to the next definition of its name (the C library's, or
 * a sanitizer's in front of it). */
#define _GNU_SOURCE
#include <dlfcn.h>
#include <fcntl.h>
#include <signal.h>
#include <stdlib.h>
#include <string.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#define NEXT(type, name) ((type)dlsym(RTLD_NEXT, name))

static int IsRegularFile(int fd) {
    struct stat info;
    return fstat(fd, &info) == 0 && S_ISREG(info.st_mode);
}

static void BeforeChange(int fd) {
    static long count = 0;
    const char* killAt = getenv("TACHLET_KILL_AT_WRITE");
    if (killAt != NULL && IsRegularFile(fd) && ++count == strtol(killAt, NULL, 10)) raise(SIGKILL);
}

static void BeforeCall(const char* name) {
    static long count = 0;
    const char* stopAt = getenv("TACHLET_STOP_AT");
    const size_t length = strlen(name);
    if (stopAt == NULL || strncmp(stopAt, name, length) != 0 || stopAt[length] != ':') return;
    if (++count == strtol(stopAt + length + 1, NULL, 10)) raise(SIGSTOP);
}

ssize_t write(int fd, const void* buffer, size_t count) {
    BeforeChange(fd);
    return NEXT(ssize_t (*)(int, const void*, size_t), "write")(fd, buffer, count);
}

ssize_t pwrite(int fd, const void* buffer, size_t count, off_t offset) {
    BeforeCall("pwrite");
    BeforeChange(fd);
    return NEXT(ssize_t (*)(int, const void*, size_t, off_t), "pwrite")(fd, buffer, count, offset);
}

ssize_t pwrite64(int fd, const void* buffer, size_t count, off64_t offset) {
    BeforeCall("pwrite");
    BeforeChange(fd);
    return NEXT(ssize_t (*)(int, const void*, size_t, off64_t), "pwrite64")(fd, buffer, count, offset);
}

int fallocate(int fd, int mode, off_t offset, off_t length) {
    BeforeChange(fd);
    return NEXT(int (*)(int, int, off_t, off_t), "fallocate")(fd, mode, offset, length);
}

int fallocate64(int fd, int mode, off64_t offset, off64_t length) {
    BeforeChange(fd);
    return NEXT(int (*)(int, int, off64_t, off64_t), "fallocate64")(fd, mode, offset, length);
}

int posix_fallocate(int fd, off_t offset, off_t length) {
    BeforeChange(fd);
    return NEXT(int (*)(int, off_t, off_t), "posix_fallocate")(fd, offset, length);
}

int posix_fallocate64(int fd, off64_t offset, off64_t length) {
    BeforeChange(fd);
    return NEXT(int (*)(int, off64_t, off64_t), "posix_fallocate64")(fd, offset, length);
}

int ftruncate(int fd, off_t length) {
    BeforeChange(fd);
    return NEXT(int (*)(int, off_t), "ftruncate")(fd, length);
}

int ftruncate64(int fd, off64_t length) {
    BeforeChange(fd);
    return NEXT(int (*)(int, off64_t), "ftruncate64")(fd, length);
}

int flock(int fd, int operation) {
    BeforeCall("flock");
    return NEXT(int (*)(int, int), "flock")(fd, operation);
}

int fsync(int fd) {
    BeforeCall("fsync");
    return NEXT(int (*)(int), "fsync")(fd);
}
