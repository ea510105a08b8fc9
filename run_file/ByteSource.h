#pragma once
// Random access to the bytes of a run file. The window adapts its open file to
// this; tests and the change check use the in-memory twin.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace Stuff {

class ByteSource {
public:
    virtual ~ByteSource() = default;

    // The file's length in bytes.
    virtual uint64_t Size() const = 0;

    // Copies up to out.size() bytes starting at the 0-based offset and returns
    // how many were copied: fewer only where the file ends. A failing read
    // throws RuntimeError.
    virtual size_t ReadAt(uint64_t offset, std::span<uint8_t> out) = 0;

    // All bytes of the file when they are already in memory, so a scan can
    // walk them directly; nullopt for sources that must be read.
    virtual std::optional<std::span<const uint8_t>> Contiguous() const { return std::nullopt; }
};

class MemoryByteSource final : public ByteSource {
public:
    explicit MemoryByteSource(std::span<const uint8_t> bytes) : bytes_(bytes) {}

    uint64_t Size() const override { return bytes_.size(); }
    size_t ReadAt(uint64_t offset, std::span<uint8_t> out) override;
    std::optional<std::span<const uint8_t>> Contiguous() const override { return bytes_; }

private:
    std::span<const uint8_t> bytes_;
};

// Up to `count` bytes at a 1-based position; shorter where the file ends.
std::vector<uint8_t> ReadBytesAt(ByteSource& source, uint64_t position, size_t count);

// Exactly `count` bytes at a 1-based position; RuntimeError 62 "Input past end
// of file" when the file ends before them.
std::vector<uint8_t> ReadExactlyAt(ByteSource& source, uint64_t position, size_t count);

}  // namespace Stuff
