#pragma once
// The core's run-data scan as a value, for the scanner's tests and the fuzz
// harnesses, and a byte source that has to be read in blocks.
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "run_file/Stuff.h"

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
    bool stepsKept = true;  // no step went past its slice, and the last one left the scanner done
    bool operator==(const ScanResult&) const = default;
};

// Scans with the core's scanner, `slice` records at a time.
inline ScanResult ScanWith(Stuff::ByteSource& source, uint64_t runDataStart, uint64_t slice = UINT64_MAX) {
    Stuff::RunDataScanner scanner(source, runDataStart);
    bool kept = true;
    for (uint64_t before = 0; !scanner.Advance(slice); before = scanner.RecordCount())
        kept = kept && scanner.RecordCount() - before <= slice;
    return {scanner.RecordLength(), scanner.RecordCount(), scanner.DamagedPositions(), scanner.NotesPosition(),
            scanner.NotesLength(), kept && scanner.Done()};
}
