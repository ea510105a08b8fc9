#pragma once
// The run file open under the number held in a FileHandle, as the byte source
// the run-file core reads. The number is fetched from the holder for every
// read, so the source always reads the file the holder names.
#include "run_file/ByteSource.h"
#include "support/FileHandle.h"

class RunFileSource final : public Stuff::ByteSource {
public:
    explicit RunFileSource(const FileHandle& handle) : handle_(handle) {}

    uint64_t Size() const override;
    size_t ReadAt(uint64_t offset, std::span<uint8_t> out) override;

private:
    const FileHandle& handle_;
};
