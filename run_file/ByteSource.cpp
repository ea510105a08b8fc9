#include "run_file/ByteSource.h"

#include <algorithm>
#include <cstring>

#include "base/RuntimeError.h"

namespace Stuff {

size_t MemoryByteSource::ReadAt(uint64_t offset, std::span<uint8_t> out) {
    if (offset >= bytes_.size() || out.empty()) return 0;
    const size_t count = static_cast<size_t>(std::min<uint64_t>(out.size(), bytes_.size() - offset));
    std::memcpy(out.data(), bytes_.data() + offset, count);
    return count;
}

std::vector<uint8_t> ReadBytesAt(ByteSource& source, uint64_t position, size_t count) {
    // Positions count from 1; 0 is the runtime's "Bad record number".
    if (position == 0) RuntimeError::Raise(ErrorNumber::BadRecordNumber);
    std::vector<uint8_t> bytes(count);
    bytes.resize(source.ReadAt(position - 1, bytes));
    return bytes;
}

std::vector<uint8_t> ReadExactlyAt(ByteSource& source, uint64_t position, size_t count) {
    std::vector<uint8_t> bytes = ReadBytesAt(source, position, count);
    if (bytes.size() < count) RuntimeError::Raise(ErrorNumber::InputPastEndOfFile);
    return bytes;
}

}  // namespace Stuff
