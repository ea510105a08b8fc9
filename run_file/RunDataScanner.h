#pragma once
// Counts the run-data records, checks their separators and finds the notes.
// The scan runs in slices (Advance) so that the window can handle its events
// between them while a large file is scanned.
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "run_file/ByteSource.h"

namespace Stuff {

class RunDataScanner {
public:
    // Reads the record length L at the 1-based position where the run data
    // starts. L = 0, or a file that ends before that byte, means no run data:
    // the scanner is then done at once, with no notes position.
    RunDataScanner(ByteSource& source, uint64_t runDataStart);

    // Scans up to maxRecords more records; true once the run data has ended.
    // A failing read of the source throws RuntimeError.
    bool Advance(uint64_t maxRecords);
    // Scans everything that is left.
    void Finish();

    bool Done() const { return done_; }
    uint8_t RecordLength() const { return length_; }
    uint64_t RecordCount() const { return count_; }
    // How many records are damaged.
    uint64_t DamagedCount() const { return damagedCount_; }
    // 1-based positions of the first separator byte of the first damaged
    // records (at most MaxListedDamaged), in file order. Only these are kept,
    // so a file of damaged records scans in memory that does not grow with it.
    const std::vector<uint64_t>& DamagedPositions() const { return damaged_; }
    // 1-based position of the notes length byte; nullopt while scanning, with
    // no run data, and when the run data runs to the end of the file.
    std::optional<uint64_t> NotesPosition() const { return notesPosition_; }
    // N, the value of the notes length byte (0 without a notes position).
    uint8_t NotesLength() const { return notesLength_; }

private:
    struct Window {
        const uint8_t* data;
        uint64_t size;
    };

    Window WindowAt(uint64_t offset);
    uint64_t ScanWholeRecords(const uint8_t* data, uint64_t records);
    void EndAtNotes(uint8_t notesLength);
    void EndAtCutRecord();
    void AddDamaged(uint64_t position);

    ByteSource& source_;
    std::optional<std::span<const uint8_t>> memory_;
    std::vector<uint8_t> buffer_;
    uint64_t bufferOffset_ = 0;
    uint64_t bufferSize_ = 0;
    bool bufferReachedEnd_ = false;

    uint8_t length_ = 0;
    uint32_t stride_ = 0;
    uint64_t next_ = 0;  // 0-based offset of the next length byte to look at
    uint64_t count_ = 0;
    std::vector<uint64_t> damaged_;
    uint64_t damagedCount_ = 0;
    std::optional<uint64_t> notesPosition_;
    uint8_t notesLength_ = 0;
    bool done_ = false;
};

// "5 record(s) read.", or "No run data found!" for none.
std::string RecordCountText(uint64_t count);

// The damaged positions a scan keeps.
inline constexpr size_t MaxListedDamaged = 1000;

// "Error(s) found at: " and the positions joined by ", "; when `count` is
// more than the positions listed, a second line tells how many more there
// are. Empty for none.
std::string DamagedPositionsMessage(std::span<const uint64_t> positions, uint64_t count);

}  // namespace Stuff
