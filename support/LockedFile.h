#pragma once
// A file open with the lock that keeps every other open of it out (see
// platform/SystemFile.h), for the length of one load or one save, read and
// written at 1-based byte positions. It owns the system's handle: leaving the
// scope in any way (a return, an exception) closes the file and frees its
// lock. Every failure throws RuntimeError:
//   52 "Bad file name or number"  a path holding a NUL, a name the system cannot take
//   63 "Bad record number"        a position below 1
//   75 "Path/File access error"   a write, a reservation or a new date on a file opened for reading
// and the numbers of the system file (53, 57, 61, 70, 75, 76).
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "platform/SystemFile.h"

class LockedFile {
public:
    using OpenMode = SystemFile::OpenMode;

    // Opens an existing regular file and locks it. Once it is locked, the
    // path is checked to name it still; when another file was renamed over
    // the path in between, the open is made again on the file the path names
    // now. Throws with nothing left open.
    LockedFile(std::string_view path, OpenMode mode);
    ~LockedFile();
    LockedFile(const LockedFile&) = delete;
    LockedFile& operator=(const LockedFile&) = delete;

    // Reads buffer.size() bytes at the 1-based `position` and returns how
    // many could be read; bytes past the end of the file are set to 0.
    // Reading at or past the end is no error: it reads 0 bytes.
    size_t Read(int64_t position, std::span<uint8_t> buffer) const;
    // Writes all bytes at the 1-based `position`. Writing past the end
    // extends the file; a gap is filled with 0 bytes.
    void Write(int64_t position, std::span<const uint8_t> bytes) const;
    // The identity, length and last write of the open file.
    SystemFile::FileStamp Stamp() const;
    // Takes the space on the device for the file to be `length` bytes long,
    // so that writes up to that length cannot fail for want of space. Where
    // the file system can set space aside beyond the end (Linux's own file
    // systems), the file keeps its length and bytes; elsewhere it grows to
    // `length`, and the bytes added read as 0. Throws 61 "Disk full" with the
    // file left as it was when there is no room. Nothing for a length the
    // file has already.
    void Reserve(int64_t length) const;
    // Waits until what was written is on the device.
    void Flush() const;
    // Sets the time of the file's last write (SystemFile::FileStamp's
    // modifiedNs) as it was before a write: a file whose date is the only date
    // its contents have keeps it. Throws 75 on a file opened for reading.
    void SetModified(int64_t modifiedNs) const;
    // Whether `path` names the open file now (false when it names nothing): a
    // file renamed over the path since the open does not.
    bool NamedBy(std::string_view path) const;
    // Whether the path it was opened by names it still: another file renamed
    // over the path since leaves what is written here in a file nobody finds.
    bool PathStillNamesIt() const { return NamedBy(path_); }

    // Closes the file now and reports a failed write-back, which the
    // destructor cannot; the handle and the lock are released either way.
    // Closing twice does nothing; any other use after it throws 52.
    void Close();

private:
    SystemFile::Handle OpenHandle() const;
    SystemFile::Handle WritableHandle() const;

    std::string path_;
    OpenMode mode_;
    SystemFile::Handle handle_ = 0;
    bool open_ = false;
};
