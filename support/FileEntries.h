#pragma once
// The removal and renaming of one entry, by the system's own calls.
#include <string_view>

namespace FileEntries {

// Deletes one file, given its path as NUL-terminated text. A folder is
// refused with last error 5. On failure returns false with the system's
// error code left in SystemErrors::LastErrorCode: 2 for a missing file, 3
// for a missing folder, 5 for a refusal.
bool DeleteFile(const char* path);

// Renames a file. Never replaces an existing entry: throws RuntimeError 58
// when the target exists and 53 when the source is missing (76 for a missing
// folder, 70 for a refused access). A change of letter case only (a.gtp to
// A.GTP) works, also on a file system that ignores case.
void Rename(std::string_view oldPath, std::string_view newPath);

}  // namespace FileEntries
