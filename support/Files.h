#pragma once
// The program's file-system helpers: whether an entry exists, a directory
// search that hands out one matching name per call, the parent folder of a
// path, and the deletion and renaming of one file. None of them shows a
// message: each reports success as its result and leaves the number and
// description of a failure in the shared error record (Errors::LastError).
//
// The module has one directory search at a time, held in a FileHandle by its
// search number. A new search of FindEntry (with a path, or the look-up
// inside RemoveFile) ends the one in progress; PathExists and ListFolder
// search on their own and leave it going.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/PathCharacters.h"

namespace Files {

// The separator between the parts of a path on this system: a slash on Linux,
// a backslash on Windows.
inline const char& PathSeparator = PathCharacters::Separator;

// The characters besides the control characters that this system's file
// names may not hold: "/" on Linux; \ / : * ? " < > | on Windows.
inline const std::string_view& ForbiddenNameCharacters = PathCharacters::ForbiddenInNames;

// True when the entry named by the path's last component exists. A path
// ending in the separator, a root and an empty path all give false. A search
// that cannot start records the system's error code and its text, as
// FindEntry does; the search of FindEntry in progress goes on.
bool PathExists(std::string_view path);

// With a path: ends the search in progress and starts a new one (the last
// component may hold * and ?). With an empty path: continues the open search,
// or returns empty text when none is open. Skips "." and "..". Returns the
// entry's name, or its short name when useShortName is true (empty text when
// the entry has none, as on Linux always); empty text when no entry is left,
// which closes the search. A search that cannot start records the system's
// error code and its text.
std::string FindEntry(std::string_view path, bool useShortName = false);

// The trimmed text before the path's last separator, blanks around the path
// removed first: "/runs/a.gtp" gives "/runs", " /runs / a.gtp " gives "/runs".
// "/runs" gives "" (nothing stands before its only separator), and so does a
// bare name.
std::string ParentFolder(std::string_view path);

// The longest leading part of the path, cut at a separator, that names an
// existing entry: "/runs/gone/deeper" gives "/runs" when only "/runs" is
// there. Each level is looked up from the one above it, so the walk takes
// time in proportion to the path's length however many levels are gone.
// Empty when not even the first level exists; "/" alone is never the answer
// for a longer path.
std::string NearestExistingPart(std::string_view path);

// Deletes one file, given by its full path. False for a blank path (recorded
// as -1 "No File Specified") and when the deletion fails (the system's error
// code and its text: 2 for a missing file, 5 for a folder or a refusal).
bool RemoveFile(std::string_view path);

// Renames a file; never replaces an existing one. On failure records the
// runtime's error number and description (53 missing source, 58 existing
// target, 70 refused, ...) with the old path, and returns false.
bool RenameFile(std::string_view oldPath, std::string_view newPath);

// What ListFolder lists of a folder.
enum class EntryKind { Files, Folders };

// The names of the files, or of the folders, in `folder` that match `pattern`
// (* and ?, without regard to case: "*.gtp" finds A.GTP and b.Gtp), sorted by
// name without regard to case. Hidden entries, "." and ".." are left out, as
// the window's file list leaves them out. Has its own search, so a search of
// FindEntry in progress goes on. Throws RuntimeError 76 "Path not found" when
// the folder is missing, 70 "Permission denied" when it may not be read, 75
// "Path/File access error" when it cannot be read to its end.
std::vector<std::string> ListFolder(std::string_view folder, std::string_view pattern, EntryKind kind);

}  // namespace Files
