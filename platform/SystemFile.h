#pragma once
// One open file of the system with the whole-file lock that keeps every other
// open of it out, read and written at 0-based offsets. One implementation per
// system; every failure throws RuntimeError carrying the system's code:
//   52 "Bad file name or number"  a name the system cannot take
//   53 "File not found"           the file is missing (nothing is ever created)
//   57 "Device I/O error"         the device failed
//   61 "Disk full"                no space or quota left
//   70 "Permission denied"        access refused, or the file is held open
//   75 "Path/File access error"   a folder or device instead of a file, other
//   76 "Path not found"           a folder on the way is missing
//
// While a file is open no other open of it succeeds, in any mode, whether by
// this program or by another program that locks the same way: a load and a
// save of the same file always exclude each other. On Linux the file is also
// record-locked as a whole (shared for reading, exclusive for writing), so a
// program holding a lockf() or fcntl() lock on any part of it refuses the
// open, and is refused. On Windows the lock is the system's own (the file is
// opened sharing nothing), so it keeps out every program, PASS among them.
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

namespace SystemFile {

// The system's own handle of an open file, whatever its type there.
using Handle = std::intptr_t;

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

// Opens an existing regular file, never creating one, and takes the lock.
// Anything else under the path (a folder, a device, a named pipe) is refused
// without being opened where the system tells its kind beforehand. The path
// holds no NUL.
Handle OpenLocked(const std::string& path, OpenMode mode);

// True when `path` names the open file now: it may have been renamed away,
// or another file renamed over it, since it was opened. False when the path
// names nothing.
bool NamesFile(const std::string& path, Handle file);

// Reads until the buffer is full or the file ends; returns the count read.
size_t ReadAt(Handle file, int64_t offset, std::span<uint8_t> buffer);

// Writes every byte or throws.
void WriteAt(Handle file, int64_t offset, std::span<const uint8_t> bytes);

FileStamp Stamp(Handle file);

// Takes the space on the device for the file to be `length` bytes long, which
// is beyond the file's end (see LockedFile::Reserve).
void Reserve(Handle file, int64_t length);

void Flush(Handle file);

// Sets the time of the file's last write, in nanoseconds since 1970 (on
// Windows in steps of 100 ns); the file must be open for writing.
void SetModified(Handle file, int64_t modifiedNs);

// Releases the handle and the lock even when it throws.
void Close(Handle file);

}  // namespace SystemFile
