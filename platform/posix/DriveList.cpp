#include "platform/DriveList.h"

#include <fstream>
#include <iterator>
#include <sys/stat.h>

#include "platform/posix/MountTable.h"

namespace DriveList {

namespace {

bool IsFolder(const std::string& path) {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

}  // namespace

// Only folders are kept: a container binds single files too. "/" alone when
// the table cannot be read.
std::vector<std::string> Roots() {
    std::ifstream table("/proc/self/mounts");
    const std::string text{std::istreambuf_iterator<char>(table), {}};
    std::vector<std::string> roots = MountTable::Roots(text);
    std::erase_if(roots, [](const std::string& root) { return !IsFolder(root); });
    if (roots.empty() || roots.front() != "/")
        roots.insert(roots.begin(), "/");
    return roots;
}

}  // namespace DriveList
