#pragma once
// The drives of the file browser, as paths of the folders at their top: on
// Windows the drive roots ("C:\", "D:\", ...) in the system's order; on Linux
// "/" first, then the mount points of the file systems that hold a user's
// files (disks, memory sticks, network shares) in byte order, so a stick or a
// share is one choice away. Only folders are given; never empty.
#include <string>
#include <vector>

namespace DriveList {

std::vector<std::string> Roots();

}  // namespace DriveList
