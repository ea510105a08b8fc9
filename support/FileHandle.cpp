#include "support/FileHandle.h"

#include "support/DirectorySearch.h"
#include "support/SystemErrors.h"

FileHandle::~FileHandle() { CloseHeldSearch(); }

void FileHandle::SetHandle(int32_t lngNewFileHandle) {
    CloseHeldSearch();
    handle_ = lngNewFileHandle;
}

void FileHandle::CloseHeldSearch() const {
    if (handle_ <= 0)
        return;
    // A file number held here is no search: its close fails, and that failure
    // must not replace the last error code of whatever the caller did before.
    const int32_t lastError = SystemErrors::LastErrorCode();
    if (!DirectorySearch::FindClose(handle_))
        SystemErrors::SetLastErrorCode(lastError);
}
