#include "platform/posix/MountTable.h"

#include <algorithm>
#include <iterator>
#include <sstream>

namespace MountTable {

namespace {

// Block-device, network and shared-folder file systems.
constexpr std::string_view FileSystemsWithFiles[] = {
    "ext2",  "ext3",    "ext4",    "xfs",     "btrfs", "bcachefs", "f2fs",     "jfs",        "reiserfs", "zfs",
    "vfat",  "msdos",   "exfat",   "ntfs",    "ntfs3", "hfs",      "hfsplus",  "udf",        "iso9660",  "fuseblk",
    "nfs",   "nfs4",    "cifs",    "smb3",    "9p",    "drvfs",    "virtiofs", "fuse.sshfs"};

bool HoldsFiles(std::string_view type) {
    return std::find(std::begin(FileSystemsWithFiles), std::end(FileSystemsWithFiles), type) !=
           std::end(FileSystemsWithFiles);
}

bool IsOctalDigit(char c) { return c >= '0' && c <= '7'; }

// The table writes blanks, tabs, line breaks and backslashes in a mount
// point as a backslash and three octal digits.
std::string Unescape(std::string_view field) {
    std::string plain;
    plain.reserve(field.size());
    for (std::size_t i = 0; i < field.size(); ++i) {
        if (field[i] == '\\' && i + 3 < field.size() && IsOctalDigit(field[i + 1]) && IsOctalDigit(field[i + 2]) &&
            IsOctalDigit(field[i + 3])) {
            plain += static_cast<char>((field[i + 1] - '0') * 64 + (field[i + 2] - '0') * 8 + (field[i + 3] - '0'));
            i += 3;
        } else {
            plain += field[i];
        }
    }
    return plain;
}

}  // namespace

std::vector<std::string> Roots(std::string_view mountTable) {
    std::vector<std::string> others;
    std::istringstream lines{std::string(mountTable)};
    std::string line;
    while (std::getline(lines, line)) {
        std::istringstream fields(line);
        std::string device;
        std::string mountPoint;
        std::string type;
        if (!(fields >> device >> mountPoint >> type) || !HoldsFiles(type)) {
            continue;
        }
        std::string root = Unescape(mountPoint);
        if (!root.empty() && root.front() == '/' && root != "/") {
            others.push_back(std::move(root));
        }
    }
    std::sort(others.begin(), others.end());
    others.erase(std::unique(others.begin(), others.end()), others.end());
    others.insert(others.begin(), "/");
    return others;
}

}  // namespace MountTable
