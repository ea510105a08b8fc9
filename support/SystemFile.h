#pragma once
// The system's side of the file table: one open file with the whole-file lock
// that keeps every other open of it out, read and written at 0-based offsets.
// One implementation per system; every failure throws RuntimeError with the
// runtime numbers listed in FileTable.h.
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

#include "support/FileTable.h"

namespace SystemFile {

// The system's own handle of an open file, whatever its type there.
using Handle = std::intptr_t;

// Opens an existing regular file, never creating one, and takes the lock.
// Anything else under the path (a folder, a device, a named pipe) is refused
// without being opened where the system tells its kind beforehand. The path
// holds no NUL.
Handle OpenLocked(const std::string& path, FileTable::OpenMode mode);

// True when `path` names the open file now: it may have been renamed away,
// or another file renamed over it, since it was opened. False when the path
// names nothing.
bool NamesFile(const std::string& path, Handle file);

// Reads until the buffer is full or the file ends; returns the count read.
size_t ReadAt(Handle file, int64_t offset, std::span<uint8_t> buffer);

// Writes every byte or throws.
void WriteAt(Handle file, int64_t offset, std::span<const uint8_t> bytes);

FileTable::FileStamp Stamp(Handle file);

// See FileTable::Reserve; `length` is beyond the file's end.
void Reserve(Handle file, int64_t length);

void Flush(Handle file);

// Sets the time of the file's last write, in nanoseconds since 1970 (on
// Windows in steps of 100 ns); the file must be open for writing.
void SetModified(Handle file, int64_t modifiedNs);

// Releases the handle and the lock even when it throws.
void Close(Handle file);

}  // namespace SystemFile
