#pragma once
// A file open under a free number of the file table, with the lock that keeps
// every other open of it out, for the length of one load or one save. The
// number is kept in a FileHandle holder while the file is open. Leaving the
// scope in any way (a return, an exception) closes the file, frees its number
// and its lock and clears the holder.
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "support/FileHandle.h"
#include "support/FileTable.h"

class LockedFile {
public:
    // Takes the lowest free number and opens the file under it; throws the
    // open's RuntimeError with nothing left open.
    LockedFile(std::string_view path, FileTable::OpenMode mode, FileHandle& holder);
    ~LockedFile();
    LockedFile(const LockedFile&) = delete;
    LockedFile& operator=(const LockedFile&) = delete;

    int32_t Number() const { return number_; }

    size_t Read(int64_t position, std::span<uint8_t> buffer) const { return FileTable::Read(number_, position, buffer); }
    void Write(int64_t position, std::span<const uint8_t> bytes) const { FileTable::Write(number_, position, bytes); }
    FileTable::FileStamp Stamp() const { return FileTable::Stamp(number_); }
    void Reserve(int64_t length) const { FileTable::Reserve(number_, length); }
    void Flush() const { FileTable::Flush(number_); }
    void SetModified(int64_t modifiedNs) const { FileTable::SetModified(number_, modifiedNs); }
    // Whether the path it was opened by names it still: another file renamed
    // over the path since leaves what is written here in a file nobody finds.
    bool PathStillNamesIt() const { return FileTable::PathNamesFile(path_, number_); }

    // Closes the file now and reports a failed write-back, which the
    // destructor cannot. Closing twice does nothing.
    void Close();

private:
    FileHandle& holder_;
    std::string path_;
    int32_t number_ = 0;
};
