#include "main_window/RunFileSource.h"

#include "support/FileTable.h"

uint64_t RunFileSource::Size() const {
    const int64_t length = FileTable::Length(handle_.Handle());
    return length > 0 ? static_cast<uint64_t>(length) : 0;
}

size_t RunFileSource::ReadAt(uint64_t offset, std::span<uint8_t> out) {
    return FileTable::Read(handle_.Handle(), static_cast<int64_t>(offset) + 1, out);
}
