#pragma once
// A child process that opens a file through the file table, and so holds its
// lock, until it is released.
#include <sys/wait.h>
#include <unistd.h>

#include <stdexcept>
#include <string>

#include "support/FileTable.h"

// Another program holding a file open with the program's lock until Release().
class LockHolder {
public:
    explicit LockHolder(const std::string& path) {
        int ready[2], release[2];
        if (::pipe(ready) != 0 || ::pipe(release) != 0) throw std::runtime_error("pipe");
        child_ = ::fork();
        if (child_ == 0) {
            ::close(ready[0]);
            ::close(release[1]);
            FileTable::Open(path, FileTable::OpenMode::Read, 1);
            char byte = 1;
            (void)!::write(ready[1], &byte, 1);
            (void)!::read(release[0], &byte, 1);
            ::_exit(0);
        }
        char byte = 0;
        (void)!::read(ready[0], &byte, 1);
        release_ = release[1];
        ::close(ready[0]);
        ::close(ready[1]);
        ::close(release[0]);
    }
    ~LockHolder() { Release(); }
    void Release() {
        if (child_ <= 0) return;
        ::close(release_);
        ::waitpid(child_, nullptr, 0);
        child_ = 0;
    }

private:
    pid_t child_ = 0;
    int release_ = -1;
};
