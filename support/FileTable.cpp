#include "support/FileTable.h"

#include <algorithm>
#include <array>
#include <limits>
#include <mutex>
#include <string>

#include "support/RuntimeError.h"
#include "support/SystemFile.h"

namespace FileTable {

namespace {

struct OpenFile {
    bool open = false;
    SystemFile::Handle handle = 0;
    OpenMode mode = OpenMode::Read;
};

struct Table {
    std::mutex lock;
    std::array<OpenFile, HighestNumber + 1> files;  // index 0 unused
};

Table& Files() {
    static Table table;
    return table;
}

void CheckNumber(int32_t fileNumber) {
    if (fileNumber < LowestNumber || fileNumber > HighestNumber)
        RuntimeError::Raise(ErrorNumber::BadFileNameOrNumber);
}

// The entry of a number already checked to lie in 1..255.
OpenFile& Slot(Table& table, int32_t fileNumber) { return table.files[static_cast<size_t>(fileNumber)]; }

OpenFile& OpenFileAt(Table& table, int32_t fileNumber) {
    CheckNumber(fileNumber);
    OpenFile& file = Slot(table, fileNumber);
    if (!file.open)
        RuntimeError::Raise(ErrorNumber::BadFileNameOrNumber);
    return file;
}

const OpenFile& WritableFileAt(Table& table, int32_t fileNumber) {
    const OpenFile& file = OpenFileAt(table, fileNumber);
    if (file.mode == OpenMode::Read)
        RuntimeError::Raise(ErrorNumber::PathFileAccessError);
    return file;
}

// A path handed to the system must not hold a NUL: the system would see a
// different, shorter name.
std::string SystemPath(std::string_view path) {
    if (path.find('\0') != std::string_view::npos)
        RuntimeError::Raise(ErrorNumber::BadFileNameOrNumber);
    return std::string(path);
}

// The 0-based offset an access of `count` bytes starts at, checked so that
// the access cannot run past the largest offset.
int64_t StartOffset(int64_t position, size_t count) {
    if (position < 1 || count > static_cast<uint64_t>(std::numeric_limits<int64_t>::max() - (position - 1)))
        RuntimeError::Raise(ErrorNumber::BadRecordNumber);
    return position - 1;
}

// How often an open is made again when another file was renamed over the
// path while it was locked; a path replaced that often is in busy use.
constexpr int OpenAttempts = 3;

// The file the path names once it is locked. Between the open and the lock
// another program (a sync tool, an editor that saves by renaming) may have
// renamed another file over the path: the file locked would then be one the
// path no longer names, and what is written to it would be lost.
SystemFile::Handle OpenNamedFile(const std::string& path, OpenMode mode) {
    for (int attempt = 0; attempt < OpenAttempts; ++attempt) {
        const SystemFile::Handle handle = SystemFile::OpenLocked(path, mode);
        bool named = false;
        try {
            named = SystemFile::NamesFile(path, handle);
        } catch (...) {
            try {
                SystemFile::Close(handle);
            } catch (const RuntimeError&) {
                // The check's failure is the one reported; the handle is
                // released either way.
            }
            throw;
        }
        if (named)
            return handle;
        SystemFile::Close(handle);
    }
    RuntimeError::Raise(ErrorNumber::PermissionDenied);
}

}  // namespace

int32_t FreeFile() {
    auto& table = Files();
    std::lock_guard guard(table.lock);
    for (int32_t number = LowestNumber; number <= HighestNumber; ++number)
        if (!Slot(table, number).open)
            return number;
    RuntimeError::Raise(ErrorNumber::BadFileNameOrNumber);
}

void Open(std::string_view path, OpenMode mode, int32_t fileNumber) {
    CheckNumber(fileNumber);
    const std::string systemPath = SystemPath(path);
    auto& table = Files();
    std::lock_guard guard(table.lock);
    OpenFile& file = Slot(table, fileNumber);
    if (file.open)
        RuntimeError::Raise(ErrorNumber::FileAlreadyOpen);
    file = OpenFile{true, OpenNamedFile(systemPath, mode), mode};
}

bool PathNamesFile(std::string_view path, int32_t fileNumber) {
    const std::string systemPath = SystemPath(path);
    auto& table = Files();
    std::lock_guard guard(table.lock);
    return SystemFile::NamesFile(systemPath, OpenFileAt(table, fileNumber).handle);
}

size_t Read(int32_t fileNumber, int64_t position, std::span<uint8_t> buffer) {
    auto& table = Files();
    std::lock_guard guard(table.lock);
    const OpenFile& file = OpenFileAt(table, fileNumber);
    const size_t done = SystemFile::ReadAt(file.handle, StartOffset(position, buffer.size()), buffer);
    std::fill(buffer.begin() + static_cast<std::ptrdiff_t>(done), buffer.end(), uint8_t{0});
    return done;
}

void Write(int32_t fileNumber, int64_t position, std::span<const uint8_t> bytes) {
    auto& table = Files();
    std::lock_guard guard(table.lock);
    const OpenFile& file = WritableFileAt(table, fileNumber);
    SystemFile::WriteAt(file.handle, StartOffset(position, bytes.size()), bytes);
}

int64_t Length(int32_t fileNumber) { return static_cast<int64_t>(Stamp(fileNumber).size); }

FileStamp Stamp(int32_t fileNumber) {
    auto& table = Files();
    std::lock_guard guard(table.lock);
    return SystemFile::Stamp(OpenFileAt(table, fileNumber).handle);
}

void Reserve(int32_t fileNumber, int64_t length) {
    auto& table = Files();
    std::lock_guard guard(table.lock);
    const OpenFile& file = WritableFileAt(table, fileNumber);
    if (length > static_cast<int64_t>(SystemFile::Stamp(file.handle).size))
        SystemFile::Reserve(file.handle, length);
}

void Flush(int32_t fileNumber) {
    auto& table = Files();
    std::lock_guard guard(table.lock);
    SystemFile::Flush(OpenFileAt(table, fileNumber).handle);
}

void SetModified(int32_t fileNumber, int64_t modifiedNs) {
    auto& table = Files();
    std::lock_guard guard(table.lock);
    SystemFile::SetModified(WritableFileAt(table, fileNumber).handle, modifiedNs);
}

void Close(int32_t fileNumber) {
    CheckNumber(fileNumber);
    auto& table = Files();
    std::lock_guard guard(table.lock);
    OpenFile& file = Slot(table, fileNumber);
    if (!file.open)
        return;
    const SystemFile::Handle handle = file.handle;
    file = OpenFile{};
    SystemFile::Close(handle);
}

bool IsOpen(int32_t fileNumber) {
    if (fileNumber < LowestNumber || fileNumber > HighestNumber)
        return false;
    auto& table = Files();
    std::lock_guard guard(table.lock);
    return Slot(table, fileNumber).open;
}

}  // namespace FileTable
