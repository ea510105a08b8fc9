#pragma once
// What the fuzz harnesses share: a check that stops the run on the spot (so
// libFuzzer keeps the input as a crash, and the replay program fails), the
// run-data scan as a value, and a byte source that has to be read in blocks.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "run_file/Stuff.h"

#define FUZZ_CHECK(condition) \
    ((condition) ? static_cast<void>(0) : FuzzCheck::Fail(#condition, __FILE__, __LINE__))

namespace FuzzCheck {

[[noreturn]] inline void Fail(const char* condition, const char* file, int line) {
    std::fprintf(stderr, "%s:%d: check failed: %s\n", file, line, condition);
    std::abort();
}

using Bytes = std::vector<uint8_t>;

inline std::span<const uint8_t> AsBytes(const std::string& text) {
    return {reinterpret_cast<const uint8_t*>(text.data()), text.size()};
}

// The file as a source that hands out copies only, as a file on disk does, so
// the scanner takes its block-reading path.
class BlockSource final : public Stuff::ByteSource {
public:
    explicit BlockSource(std::span<const uint8_t> bytes) : memory_(bytes) {}
    uint64_t Size() const override { return memory_.Size(); }
    size_t ReadAt(uint64_t offset, std::span<uint8_t> out) override { return memory_.ReadAt(offset, out); }

private:
    Stuff::MemoryByteSource memory_;
};

struct ScanResult {
    uint8_t length = 0;
    uint64_t count = 0;
    std::vector<uint64_t> damaged;
    std::optional<uint64_t> notesPosition;
    uint8_t notesLength = 0;
    bool operator==(const ScanResult&) const = default;
};

// Scans with the core's scanner, `slice` records at a time.
inline ScanResult ScanWith(Stuff::ByteSource& source, uint64_t runDataStart, uint64_t slice) {
    Stuff::RunDataScanner scanner(source, runDataStart);
    uint64_t before = 0;
    while (!scanner.Advance(slice)) {
        FUZZ_CHECK(scanner.RecordCount() - before <= slice);
        before = scanner.RecordCount();
    }
    FUZZ_CHECK(scanner.Done());
    return {scanner.RecordLength(), scanner.RecordCount(), scanner.DamagedPositions(), scanner.NotesPosition(),
            scanner.NotesLength()};
}

}  // namespace FuzzCheck
