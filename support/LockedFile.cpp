#include "support/LockedFile.h"

#include "support/RuntimeError.h"

LockedFile::LockedFile(std::string_view path, FileTable::OpenMode mode, FileHandle& holder)
    : holder_(holder), path_(path) {
    const int32_t number = FileTable::FreeFile();
    holder_.SetHandle(number);
    try {
        FileTable::Open(path, mode, number);
    } catch (...) {
        holder_.SetHandle(0);
        throw;
    }
    number_ = number;
}

LockedFile::~LockedFile() {
    try {
        Close();
    } catch (const RuntimeError&) {
        // Only reached when a failure is already on its way up (the load or
        // the save ended early): that failure is the one reported. The number
        // and the lock are free again either way.
    }
}

void LockedFile::Close() {
    if (number_ == 0) {
        return;
    }
    const int32_t number = number_;
    number_ = 0;
    holder_.SetHandle(0);
    FileTable::Close(number);
}
