#pragma once
// The directory search and file deletion of the platform, over opendir/readdir
// and unlink: one matching entry per call, with the entry's data laid out as
// the file helpers read it. Failures return the failure value and set the
// thread's last error code (SystemErrors::LastErrorCode).
#include <array>
#include <cstdint>

namespace DirectorySearch {

// Attribute bits of an entry.
inline constexpr uint32_t AttributeReadOnly = 1;  // the current user may not write it
inline constexpr uint32_t AttributeHidden = 2;    // its name begins with "." (not "." or "..")
inline constexpr uint32_t AttributeDirectory = 16;

// Returned by FindFirstFile when the search cannot start.
inline constexpr int32_t InvalidHandle = -1;

// Search handles start here, far above the file numbers 1 to 255, so that a
// file number is never taken for a search.
inline constexpr int32_t FirstHandle = 0x10000;

// One entry as the search reports it. The names are NUL-terminated and padded
// with NULs. This file system gives no alternate short name, so that field
// always holds empty text.
struct FindData {
    uint32_t dwFileAttributes = 0;
    uint32_t nFileSizeLow = 0;  // the low 32 bits of the size; 0 for a folder
    std::array<char, 260> cFileName{};
    std::array<char, 14> cAlternateFileName{};
};

// Starts a search for `path`: a folder, "/" and a last component that may
// hold `*` (any run of bytes) and `?` (one byte), matched without regard to
// ASCII case; "*.*" matches every name. A last component without wildcards
// finds the entry of that name in any case. "." and ".." are reported when the
// pattern matches them. A path without "/" is searched in the current folder;
// a path ending in "/" (the root among them) has an empty last component and
// finds nothing. Returns a handle and the first match in `data`, or
// InvalidHandle with the last error set: 2 when nothing matches, 3 when the
// folder is missing, 5 when it may not be read, 87 for a null argument.
int32_t FindFirstFile(const char* path, FindData* data);

// The next match of the search in `data`. False when none is left (last
// error 18) or the handle names no open search (last error 6).
bool FindNextFile(int32_t handle, FindData* data);

// Ends the search. False when the handle names no open search (last error 6).
bool FindClose(int32_t handle);

// Deletes one file. A folder is refused with last error 5; a symbolic link is
// deleted itself, never its target.
bool DeleteFile(const char* path);

}  // namespace DirectorySearch
