#pragma once
// What the tests need of the system itself, one implementation per system
// (testkit/posix, testkit/windows).
#include <cstdint>
#include <string>

#include "platform/SystemFile.h"

// Another program holding `path` open as a LockedFile, with its lock,
// until Release() or the end of the object.
class LockHolder {
public:
    explicit LockHolder(const std::string& path);
    ~LockHolder();
    LockHolder(const LockHolder&) = delete;
    LockHolder& operator=(const LockHolder&) = delete;
    void Release();

private:
    std::intptr_t process_ = 0;
    std::intptr_t release_ = -1;
};

// The RuntimeError number another program gets when it opens `path` for
// reading and writing as a LockedFile; 0 when the open succeeds.
int32_t OpenInAnotherProgram(const std::string& path);

// The handles this process holds open (on Linux its descriptors).
int OpenHandleCount();

// The file's identity, length and last write as the system reports them
// through a path, not through an open file.
SystemFile::FileStamp SystemStampOf(const std::string& path);

// A name that reaches its file only when spelled the system's own way: on
// Linux bytes that are no UTF-8, on Windows letters outside the ANSI code page.
extern const std::string ForeignName;

// The folder of the running program as the system names it, as the core's
// path, without a trailing separator.
std::string ProgramFolder();

// Gives the file the system's mark of a hidden entry (on Linux its name is).
void MakeHidden(const std::string& path);

// True where this process may write every file whatever its permissions
// (root on Linux), so a permission refusal cannot be caused.
bool MayWriteEverything();

// True where a folder that may not be written keeps its entries from being
// removed or renamed (Linux, not Windows).
bool FolderPermissionsGuardEntries();

// A folder on a file system of its own with that much room, for one test: on
// Linux a tmpfs mounted at `folder` (root only), on Windows the one the test
// runner prepared and named in TACHLET_SMALL_DISK.
class SmallDisk {
public:
    SmallDisk(const std::string& folder, int kibibytes);
    ~SmallDisk();
    SmallDisk(const SmallDisk&) = delete;
    SmallDisk& operator=(const SmallDisk&) = delete;

    // Empty when no such disk can be had; Why() then says why.
    const std::string& Path() const { return path_; }
    const std::string& Why() const { return why_; }

private:
    std::string path_;
    std::string why_;
    bool mounted_ = false;
};
