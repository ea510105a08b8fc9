#include "support/FileHandle.h"

#include "support/SearchTable.h"

FileHandle::~FileHandle() { CloseHeldSearch(); }

void FileHandle::SetHandle(int32_t lngNewFileHandle) {
    CloseHeldSearch();
    handle_ = lngNewFileHandle;
}

// A value that names no search (a file number) closes nothing.
void FileHandle::CloseHeldSearch() const {
    if (handle_ > 0)
        SearchTable::Close(handle_);
}
