/* Faults put into a program the tests start, loaded with LD_PRELOAD:
 *   TACHLET_KILL_AT_WRITE=N  SIGKILL just before the N-th call that changes a
 *                            regular file (write, pwrite, fallocate,
 *                            posix_fallocate, ftruncate)
 *   TACHLET_STOP_AT=NAME:K   SIGSTOP just before the K-th call of NAME (flock,
 *                            pwrite or fsync), until the test sends SIGCONT
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

/* A call that changes the file of its argument fd, and one that may stop first. */
#define CHANGES(type, name, params, ...)                            \
    type name params {                                              \
        BeforeChange(fd);                                           \
        return NEXT(type(*) params, #name)(__VA_ARGS__);            \
    }
#define STOPS_AND_CHANGES(type, name, stop, params, ...)            \
    type name params {                                              \
        BeforeCall(stop);                                           \
        BeforeChange(fd);                                           \
        return NEXT(type(*) params, #name)(__VA_ARGS__);            \
    }

CHANGES(ssize_t, write, (int fd, const void* buffer, size_t count), fd, buffer, count)
STOPS_AND_CHANGES(ssize_t, pwrite, "pwrite", (int fd, const void* buffer, size_t count, off_t offset), fd, buffer,
                  count, offset)
STOPS_AND_CHANGES(ssize_t, pwrite64, "pwrite", (int fd, const void* buffer, size_t count, off64_t offset), fd,
                  buffer, count, offset)
CHANGES(int, fallocate, (int fd, int mode, off_t offset, off_t length), fd, mode, offset, length)
CHANGES(int, fallocate64, (int fd, int mode, off64_t offset, off64_t length), fd, mode, offset, length)
CHANGES(int, posix_fallocate, (int fd, off_t offset, off_t length), fd, offset, length)
CHANGES(int, posix_fallocate64, (int fd, off64_t offset, off64_t length), fd, offset, length)
CHANGES(int, ftruncate, (int fd, off_t length), fd, length)
CHANGES(int, ftruncate64, (int fd, off64_t length), fd, length)

int flock(int fd, int operation) {
    BeforeCall("flock");
    return NEXT(int (*)(int, int), "flock")(fd, operation);
}

int fsync(int fd) {
    BeforeCall("fsync");
    return NEXT(int (*)(int), "fsync")(fd);
}
