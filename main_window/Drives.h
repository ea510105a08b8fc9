#pragma once
// The drives of the file browser. Every folder hangs from "/", so "/" is the
// first drive; the mount points of the file systems that hold a user's files
// (disks, memory sticks, network shares) follow, so a stick or a share is one
// choice away.
#include <string>
#include <string_view>
#include <vector>

namespace Drives {

// The mount points named by a mount table in the form of /proc/self/mounts
// (device, mount point, type, ... per line; blanks in a mount point written
// as octal escapes such as \040): "/" first, then the others in byte order,
// each once. Only file systems of the types that hold files of their own
// count; the kernel's views (proc, sysfs, cgroup), memory file systems,
// overlays and image mounts do not.
std::vector<std::string> Roots(std::string_view mountTable);

// Roots of this system's mount table, keeping only those that are folders
// (a container binds single files too). "/" alone when the table cannot be read.
std::vector<std::string> SystemRoots();

}  // namespace Drives
