#pragma once
// A file opened for a load or a save, as the byte source the run-file code
// reads.
#include "run_file/ByteSource.h"
#include "support/LockedFile.h"

namespace Stuff {

class FileByteSource final : public ByteSource {
public:
    explicit FileByteSource(const LockedFile& file) : file_(file) {}

    uint64_t Size() const override { return file_.Stamp().size; }
    size_t ReadAt(uint64_t offset, std::span<uint8_t> out) override {
        return file_.Read(static_cast<int64_t>(offset) + 1, out);
    }

private:
    const LockedFile& file_;
};

}  // namespace Stuff
