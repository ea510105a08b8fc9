#pragma once
// Turns the errno of a failed POSIX call into the two kinds of error numbers
// the program reports: the Windows system error code of the same meaning (the
// thread's last error, read after a failed search or deletion) and the classic
// BASIC runtime number raised by the file table.
#include <cstdint>
#include <string_view>

namespace PosixErrors {

// The Windows code for an errno. `path` is the entry the failed call was
// about: ENOENT gives "path not found" (3) instead of "file not found" (2)
// when the folder that should hold the entry is missing. Without a path,
// ENOENT gives 2.
int32_t WindowsCode(int err, std::string_view path = {});

// Sets the last error code from an errno (see WindowsCode).
void SetLastErrorFromErrno(int err, std::string_view path = {});

// The BASIC runtime number for an errno raised by a file operation on `path`:
// 53 for a missing file, 76 when a folder on the way is missing, 70 for a
// refused access or a file held by someone else, 61 for a full disk, 57 for a
// device error, 58 for an existing file, 52 for a bad name or descriptor and
// 75 for everything else (a folder where a file was expected among them).
int32_t RuntimeNumber(int err, std::string_view path = {});

// Throws the RuntimeError of RuntimeNumber with its standard description.
[[noreturn]] void RaiseRuntimeError(int err, std::string_view path = {});

// True when the folder that should hold `path` is missing or is no folder.
// A path without a separator lies in the current folder, which exists.
bool ContainingFolderMissing(std::string_view path);

}  // namespace PosixErrors
