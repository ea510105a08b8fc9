#pragma once
// The mount points named by a mount table in the form of /proc/self/mounts
// (device, mount point, type, ... per line; blanks in a mount point written
// as octal escapes such as \040): "/" first, then the others in byte order,
// each once. Only file systems of the types that hold files of their own
// count; the kernel's views (proc, sysfs, cgroup), memory file systems,
// overlays and image mounts do not.
#include <string>
#include <string_view>
#include <vector>

namespace MountTable {

std::vector<std::string> Roots(std::string_view mountTable);

}  // namespace MountTable
