#pragma once
// The directory search of the system: one matching entry per call, with the
// entry's data laid out as the file helpers read it. One implementation per
// system. Failures return the failure value and set the thread's last error
// code (SystemErrors::LastErrorCode).
#include <array>
#include <cstddef>
#include <cstdint>

namespace DirectorySearch {

// Attribute bits of an entry.
inline constexpr uint32_t AttributeReadOnly = 1;  // it may not be written
inline constexpr uint32_t AttributeHidden = 2;    // on Linux: its name begins with "." (not "." or "..")
inline constexpr uint32_t AttributeDirectory = 16;

// Returned by FindFirstFile when the search cannot start.
inline constexpr int32_t InvalidHandle = -1;

// Search handles start here, far above the file numbers 1 to 255, so that a
// file number is never taken for a search.
inline constexpr int32_t FirstHandle = 0x10000;

// Room for a name of 259 UTF-16 units written as UTF-8, and its NUL.
inline constexpr size_t NameBytes = 3 * 259 + 1;
inline constexpr size_t ShortNameBytes = 3 * 13 + 1;

// One entry as the search reports it. The names are UTF-8 (on Linux the
// name's bytes), NUL-terminated and padded with NULs. The alternate short
// (8.3) name is empty when the file system gives the entry none, as Linux
// file systems never do.
struct FindData {
    uint32_t dwFileAttributes = 0;
    uint32_t nFileSizeLow = 0;  // the low 32 bits of the size; 0 for a folder
    std::array<char, NameBytes> cFileName{};
    std::array<char, ShortNameBytes> cAlternateFileName{};
};

// Starts a search for `path`: a folder, the separator and a last component
// that may hold `*` and `?`, matched without regard to case (on Linux as
// NamePattern does; on Windows the system matches, short names included). A
// last component without wildcards finds the entry of that name in any case.
// "." and ".." are reported when the pattern matches them. A path ending in
// the separator (a root among them) has an empty last component and finds
// nothing. Returns a handle and the first match in `data`, or InvalidHandle
// with the last error set: 2 when nothing matches, 3 when the folder is
// missing, 5 when it may not be read, 87 for a null argument.
int32_t FindFirstFile(const char* path, FindData* data);

// The next match of the search in `data`. False when none is left (last
// error 18) or the handle names no open search (last error 6).
bool FindNextFile(int32_t handle, FindData* data);

// Ends the search. False when the handle names no open search (last error 6).
bool FindClose(int32_t handle);

}  // namespace DirectorySearch
