#pragma once
// Holder of one handle value: a directory search it owns (a number of
// SearchTable), or a file number (FileTable) that its user opens and closes
// itself. A held value above 0 is closed as a search when it is replaced or
// the holder goes away; a file number names no search (search numbers start
// far above the file numbers), so closing it as one does nothing.
#include <cstdint>

class FileHandle {
public:
    FileHandle() = default;
    ~FileHandle();
    FileHandle(const FileHandle&) = delete;
    FileHandle& operator=(const FileHandle&) = delete;

    // Closes the search held so far (when the held value is above 0), then
    // holds the new value. The failure value -1 of a search start may be held
    // and is never closed.
    void SetHandle(int32_t lngNewFileHandle);
    int32_t Handle() const { return handle_; }

private:
    void CloseHeldSearch() const;

    int32_t handle_ = 0;
};
