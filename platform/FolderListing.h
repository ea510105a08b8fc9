#pragma once
// The entries of one folder, for the folder and file lists of the file
// browser: each entry's name exactly as the file system spells it (its bytes
// on Linux, UTF-8 of its UTF-16 units on Windows, so it opens the file that is
// really there), whether it is a file, a folder or something else, and whether
// the system hides it. "." and ".." are left out; the order is the system's.
#include <string>
#include <string_view>
#include <vector>

namespace FolderListing {

enum class Kind {
    File,    // a regular file, or a link to one
    Folder,  // a folder, or a link to one
    Other,   // a pipe, a device, a socket or a link that leads nowhere
};

struct Entry {
    std::string name;
    Kind kind = Kind::Other;
    bool hidden = false;  // a name starting with "." on Linux, the hidden attribute on Windows
};

// Throws RuntimeError 76 "Path not found" when the folder is missing, is no
// folder or may not be read.
std::vector<Entry> Read(std::string_view folder);

}  // namespace FolderListing
