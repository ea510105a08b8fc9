#pragma once
// The numbered open files of the form runtime that the run-file routines are
// written against (numbers 1 to 255): "a free file number", and the file open
// under a number. Open makes the table own a LockedFile under the number;
// Lend puts under a free number a LockedFile someone else owns, for as long
// as they have it open, so that a holder of file numbers (FileHandle) can hold
// it by its number. Every failure throws RuntimeError; the table's own are
//   52 "Bad file name or number"  a number outside 1..255, not open, none free
//   55 "File already open"        the number is already in use
// and the rest are those of LockedFile.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "support/LockedFile.h"

namespace FileTable {

inline constexpr int32_t LowestNumber = 1;
inline constexpr int32_t HighestNumber = 255;

// The lowest number not in use. Throws 52 when all are in use.
int32_t FreeFile();

// Opens an existing regular file under `fileNumber` (see LockedFile).
void Open(std::string_view path, LockedFile::OpenMode mode, int32_t fileNumber);

// Puts `file` under the lowest free number and returns it; Close ends the
// loan without closing the file, which must outlive it.
int32_t Lend(const LockedFile& file);

// The file open under `fileNumber`.
const LockedFile& File(int32_t fileNumber);

// Closes the file and frees its number and its lock (a lent file is left to
// its owner). Closing a number that is not open does nothing; a number
// outside 1..255 throws 52. When the system reports a failed write-back at
// close, the number is freed all the same and the failure is thrown.
void Close(int32_t fileNumber);

// Whether the number is in use.
bool IsOpen(int32_t fileNumber);

}  // namespace FileTable
