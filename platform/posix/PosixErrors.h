#pragma once
// Turns the errno of a failed POSIX call into the RuntimeError the program
// reports: the classic BASIC runtime number of its meaning, with the errno
// kept as the system's code.
#include <cstdint>
#include <string_view>

namespace PosixErrors {

// The BASIC runtime number for an errno raised by a file operation on `path`:
// 53 for a missing file, 76 when a folder on the way is missing, 70 for a
// refused access or a file held by someone else, 61 for a full disk, 57 for a
// device error, 58 for an existing file, 52 for a bad name or descriptor and
// 75 for everything else (a folder where a file was expected among them).
// Without a path, ENOENT gives 53.
int32_t RuntimeNumber(int err, std::string_view path = {});

// Throws the RuntimeError of RuntimeNumber with its standard description and
// the errno.
[[noreturn]] void RaiseRuntimeError(int err, std::string_view path = {});

// True when the folder that should hold `path` is missing or is no folder.
// A path without a separator lies in the current folder, which exists.
bool ContainingFolderMissing(std::string_view path);

}  // namespace PosixErrors
