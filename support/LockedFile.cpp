#include "support/LockedFile.h"

#include <algorithm>
#include <limits>

#include "base/RuntimeError.h"

namespace {

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
SystemFile::Handle OpenNamedFile(const std::string& path, SystemFile::OpenMode mode) {
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

LockedFile::LockedFile(std::string_view path, OpenMode mode) : path_(SystemPath(path)), mode_(mode) {
    handle_ = OpenNamedFile(path_, mode);
    open_ = true;
}

LockedFile::~LockedFile() {
    try {
        Close();
    } catch (const RuntimeError&) {
        // Only reached when a failure is already on its way up (the load or
        // the save ended early): that failure is the one reported. The handle
        // and the lock are free again either way.
    }
}

SystemFile::Handle LockedFile::OpenHandle() const {
    if (!open_)
        RuntimeError::Raise(ErrorNumber::BadFileNameOrNumber);
    return handle_;
}

SystemFile::Handle LockedFile::WritableHandle() const {
    const SystemFile::Handle handle = OpenHandle();
    if (mode_ == OpenMode::Read)
        RuntimeError::Raise(ErrorNumber::PathFileAccessError);
    return handle;
}

size_t LockedFile::Read(int64_t position, std::span<uint8_t> buffer) const {
    const size_t done = SystemFile::ReadAt(OpenHandle(), StartOffset(position, buffer.size()), buffer);
    std::fill(buffer.begin() + static_cast<std::ptrdiff_t>(done), buffer.end(), uint8_t{0});
    return done;
}

void LockedFile::Write(int64_t position, std::span<const uint8_t> bytes) const {
    SystemFile::WriteAt(WritableHandle(), StartOffset(position, bytes.size()), bytes);
}

SystemFile::FileStamp LockedFile::Stamp() const { return SystemFile::Stamp(OpenHandle()); }

void LockedFile::Reserve(int64_t length) const {
    const SystemFile::Handle handle = WritableHandle();
    if (length > static_cast<int64_t>(SystemFile::Stamp(handle).size))
        SystemFile::Reserve(handle, length);
}

void LockedFile::Flush() const { SystemFile::Flush(OpenHandle()); }

void LockedFile::SetModified(int64_t modifiedNs) const { SystemFile::SetModified(WritableHandle(), modifiedNs); }

bool LockedFile::NamedBy(std::string_view path) const { return SystemFile::NamesFile(SystemPath(path), OpenHandle()); }

void LockedFile::Close() {
    if (!open_)
        return;
    open_ = false;
    SystemFile::Close(handle_);
}
