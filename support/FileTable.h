#pragma once
// The program's numbered open files (numbers 1 to 255) with binary access at
// 1-based byte positions. Every failure throws RuntimeError with the classic
// BASIC runtime number (renaming, in FileEntries, uses the same):
//   52 "Bad file name or number"  a number outside 1..255, not open, none free
//   53 "File not found"           the file is missing (nothing is ever created)
//   55 "File already open"        the number is already in use
//   57 "Device I/O error"         the device failed
//   58 "File already exists"      a rename target exists
//   61 "Disk full"                no space or quota left
//   63 "Bad record number"        a position below 1
//   70 "Permission denied"        access refused, or the file is held open
//   75 "Path/File access error"   a folder or device instead of a file, an
//                                 access the file was not opened for, other
//   76 "Path not found"           a folder on the way is missing
//
// While a file is open no other open of it succeeds, in any mode, whether
// through another number of this program or by another program that locks
// the same way: a load and a save of the same file always exclude each other.
// On Linux the file is also record-locked as a whole (shared for reading,
// exclusive for writing), so a program holding a lockf() or fcntl() lock on
// any part of it refuses the open, and is refused. On Windows the lock is the
// system's own (the file is opened sharing nothing), so it keeps out every
// program, PASS among them.
#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

namespace FileTable {

inline constexpr int32_t LowestNumber = 1;
inline constexpr int32_t HighestNumber = 255;

enum class OpenMode {
    Read,       // read only, for the load
    ReadWrite,  // for a save, which first checks under the same lock that the
                // file is still what the load read; never truncated
};

// What identifies a file and its last change, as the system reports it: the
// device and the file's index on it (on Linux the device number and the
// inode, on Windows the volume's serial number and the file index), its
// length and the time of its last write in nanoseconds (on Windows in steps
// of 100 ns).
struct FileStamp {
    uint64_t device = 0;
    uint64_t index = 0;
    uint64_t size = 0;
    int64_t modifiedNs = 0;

    bool SameFile(const FileStamp& other) const { return device == other.device && index == other.index; }
    bool operator==(const FileStamp&) const = default;
};

// The lowest number not in use. Throws 52 when all are in use.
int32_t FreeFile();

// Opens an existing regular file under `fileNumber`. Once it is locked, the
// path is checked to name it still; when another file was renamed over the
// path in between, the open is made again on the file the path names now.
void Open(std::string_view path, OpenMode mode, int32_t fileNumber);

// Whether `path` names the file open under `fileNumber` now (false when it
// names nothing): a file renamed over the path since the open does not.
bool PathNamesFile(std::string_view path, int32_t fileNumber);

// Reads buffer.size() bytes at the 1-based `position` and returns how many
// could be read; bytes past the end of the file are set to 0. Reading at or
// past the end is no error: it reads 0 bytes.
size_t Read(int32_t fileNumber, int64_t position, std::span<uint8_t> buffer);

// Writes all bytes at the 1-based `position`. Writing past the end extends
// the file; a gap is filled with 0 bytes.
void Write(int32_t fileNumber, int64_t position, std::span<const uint8_t> bytes);

// The file's length in bytes.
int64_t Length(int32_t fileNumber);

// The identity, length and last write of the open file.
FileStamp Stamp(int32_t fileNumber);

// Takes the space on the device for the file to be `length` bytes long, so
// that writes up to that length cannot fail for want of space. Where the file
// system can set space aside beyond the end (Linux's own file systems), the
// file keeps its length and bytes; elsewhere it grows to `length`, and the
// bytes added read as 0. Throws 61 "Disk full" with the file left as it was
// when there is no room.
void Reserve(int32_t fileNumber, int64_t length);

// Waits until what was written is on the device.
void Flush(int32_t fileNumber);

// Sets the time of the file's last write (FileStamp::modifiedNs) as it was
// before a write: a file whose date is the only date its contents have keeps
// it. Throws 75 when the file was not opened for writing.
void SetModified(int32_t fileNumber, int64_t modifiedNs);

// Closes the file and frees its number and its lock. Closing a number that
// is not open does nothing; a number outside 1..255 throws 52. When the
// system reports a failed write-back at close, the number is freed all the
// same and the failure is thrown.
void Close(int32_t fileNumber);

// Whether the number is in use.
bool IsOpen(int32_t fileNumber);

}  // namespace FileTable
