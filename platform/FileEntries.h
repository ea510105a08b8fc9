#pragma once
// The removal and renaming of one entry, by the system's own calls. Failures
// throw RuntimeError carrying the system's code.
#include <string_view>

namespace FileEntries {

// Deletes one file. Throws 53 for a missing file, 76 for a missing folder,
// 70 for a refusal, 75 for a folder.
void DeleteFile(std::string_view path);

// Renames a file. Never replaces an existing entry: throws RuntimeError 58
// when the target exists and 53 when the source is missing (76 for a missing
// folder, 70 for a refused access). A change of letter case only (a.gtp to
// A.GTP) works, also on a file system that ignores case.
void Rename(std::string_view oldPath, std::string_view newPath);

}  // namespace FileEntries
