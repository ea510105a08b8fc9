#include "testkit/SystemTestkit.h"

#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <stdexcept>

#include "support/LockedFile.h"
#include "testkit/ErrorNumberOf.h"

LockHolder::LockHolder(const std::string& path) {
    int ready[2], release[2];
    if (::pipe(ready) != 0 || ::pipe(release) != 0) throw std::runtime_error("pipe");
    const pid_t child = ::fork();
    if (child == 0) {
        ::close(ready[0]);
        ::close(release[1]);
        const LockedFile held(path, LockedFile::OpenMode::Read);
        char byte = 1;
        (void)!::write(ready[1], &byte, 1);
        (void)!::read(release[0], &byte, 1);
        ::_exit(0);
    }
    char byte = 0;
    (void)!::read(ready[0], &byte, 1);
    process_ = child;
    release_ = release[1];
    ::close(ready[0]);
    ::close(ready[1]);
    ::close(release[0]);
}

LockHolder::~LockHolder() { Release(); }

void LockHolder::Release() {
    if (process_ <= 0) return;
    ::close(static_cast<int>(release_));
    ::waitpid(static_cast<pid_t>(process_), nullptr, 0);
    process_ = 0;
}

int32_t OpenInAnotherProgram(const std::string& path) {
    const pid_t child = ::fork();
    if (child < 0) throw std::runtime_error("fork");
    if (child == 0) ::_exit(ErrorNumberOf([&] { LockedFile(path, LockedFile::OpenMode::ReadWrite); }));
    int status = 0;
    if (::waitpid(child, &status, 0) != child || !WIFEXITED(status)) throw std::runtime_error("child");
    return WEXITSTATUS(status);
}

int OpenHandleCount() {
    int count = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator("/proc/self/fd")) ++count;
    return count;
}

SystemFile::FileStamp SystemStampOf(const std::string& path) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) throw std::runtime_error("stat " + path);
    return {static_cast<uint64_t>(info.st_dev), static_cast<uint64_t>(info.st_ino),
            static_cast<uint64_t>(info.st_size), info.st_mtim.tv_sec * 1'000'000'000 + info.st_mtim.tv_nsec};
}

void MakeHidden(const std::string&) {}

bool MayWriteEverything() { return ::geteuid() == 0; }

bool FolderPermissionsGuardEntries() { return true; }

SmallDisk::SmallDisk(const std::string& folder, int kibibytes) {
    std::filesystem::create_directories(folder);
    const std::string options = "size=" + std::to_string(kibibytes) + "k";
    if (::mount("tmpfs", folder.c_str(), "tmpfs", 0, options.c_str()) != 0) {
        why_ = std::string("cannot mount a small tmpfs: ") + std::strerror(errno);
        return;
    }
    mounted_ = true;
    path_ = folder;
}

SmallDisk::~SmallDisk() {
    if (mounted_) ::umount2(path_.c_str(), MNT_DETACH);
}

std::string ProgramFolder() { return std::filesystem::read_symlink("/proc/self/exe").parent_path().string(); }

const std::string ForeignName = "caf\xe9";
