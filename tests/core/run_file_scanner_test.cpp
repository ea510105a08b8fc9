#include <gtest/gtest.h>

#include <random>

#include "testkit/RunFileBuilder.h"
#include "run_file/RunDataScanner.h"

using namespace Stuff;
using Bytes = std::vector<uint8_t>;

namespace {

// A source that has to be read, like a file on disk.
class ReadOnlySource : public ByteSource {
public:
    explicit ReadOnlySource(const Bytes& bytes) : memory_(bytes) {}
    uint64_t Size() const override { return memory_.Size(); }
    size_t ReadAt(uint64_t offset, std::span<uint8_t> out) override { return memory_.ReadAt(offset, out); }

private:
    MemoryByteSource memory_;
};

struct Scan {
    uint8_t length;
    uint64_t count;
    std::vector<uint64_t> damaged;
    std::optional<uint64_t> notes;
    uint8_t notesLength;
    bool operator==(const Scan&) const = default;
};

Scan ScanOf(ByteSource& source, uint64_t start, uint64_t slice = UINT64_MAX) {
    RunDataScanner scanner(source, start);
    for (uint64_t before = 0; !scanner.Advance(slice); before = scanner.RecordCount()) {
        EXPECT_LE(scanner.RecordCount() - before, slice);
    }
    return {scanner.RecordLength(), scanner.RecordCount(), scanner.DamagedPositions(), scanner.NotesPosition(),
            scanner.NotesLength()};
}

Scan ScanOf(const RunFileBuilder& builder) {
    const Bytes file = builder.Build();
    MemoryByteSource source(file);
    return ScanOf(source, builder.RunDataStart());
}

}  // namespace

TEST(RunDataScan, CountsRecordsAndFindsTheNotes) {
    const Scan five = ScanOf(RunFileBuilder().Records(5, 20).Notes("seven!!"));
    EXPECT_EQ(five, (Scan{20, 5, {}, 312 + 5 * 24, 7}));
    const Scan old = ScanOf(RunFileBuilder().Version("1.1.1").Records(5, 20).Notes("seven!!"));
    EXPECT_EQ(old, (Scan{20, 5, {}, 311 + 5 * 24, 7}));
    const Scan emptyNotes = ScanOf(RunFileBuilder().Records(2, 3).Notes(""));
    EXPECT_EQ(emptyNotes, (Scan{3, 2, {}, 312 + 2 * 7, 0}));
    EXPECT_EQ(ScanOf(RunFileBuilder().Records(1, 255).Notes(std::string(254, 'n'))).notes, 312u + 259);
}

TEST(RunDataScan, NoRunData) {
    EXPECT_EQ(ScanOf(RunFileBuilder().Notes("ignored")), (Scan{0, 0, {}, std::nullopt, 0}));
    // A file that ends before its first length byte has no run data either.
    EXPECT_EQ(ScanOf(RunFileBuilder().Records(3, 20).CutTo(311)), (Scan{0, 0, {}, std::nullopt, 0}));
}

TEST(RunDataScan, ReportsDamagedRecordsAtTheirFirstSeparatorByte) {
    for (int byte = 0; byte < 3; ++byte) {
        const RunFileBuilder builder = RunFileBuilder().Records(6, 20).DamagedRecord(1, byte).DamagedRecord(4, byte).Notes("x");
        const Scan scan = ScanOf(builder);
        EXPECT_EQ(scan.damaged, (std::vector<uint64_t>{312 + 24 + 21, 312 + 4 * 24 + 21})) << byte;
        EXPECT_EQ(scan.count, 6u);
        EXPECT_EQ(scan.notes, builder.NotesPosition());
    }
    EXPECT_EQ(DamagedPositionsMessage(std::vector<uint64_t>{357, 429}), "Error(s) found at: 357, 429");
    EXPECT_EQ(DamagedPositionsMessage(std::vector<uint64_t>{5000000000}), "Error(s) found at: 5000000000");
    EXPECT_EQ(DamagedPositionsMessage({}), "");
}

TEST(RunDataScan, NotesLengthEqualToTheRecordLengthReadsAsOneMoreRecord) {
    const std::string more("abcde\0\0\0\x02xy", 11);
    const Scan scan = ScanOf(RunFileBuilder().Records(3, 5).Notes(more).NotesLengthByte(5));
    EXPECT_EQ(scan, (Scan{5, 4, {}, 312 + 4 * 9, 2}));
}

TEST(RunDataScan, RunDataToTheEndOfTheFile) {
    EXPECT_EQ(ScanOf(RunFileBuilder().Records(4, 20).NoNotes()), (Scan{20, 4, {}, std::nullopt, 0}));
    // A record cut short is counted and reported where its separator begins,
    // even when that lies past the end.
    for (uint64_t cut = 1; cut <= 24; ++cut) {
        const RunFileBuilder builder = RunFileBuilder().Records(4, 20).NoNotes().CutBy(cut);
        const Scan scan = ScanOf(builder);
        const std::vector<uint64_t> damaged =
            cut < 24 ? std::vector<uint64_t>{builder.SeparatorPosition(3)} : std::vector<uint64_t>{};
        EXPECT_EQ(scan, (Scan{20, cut < 24 ? 4u : 3u, damaged, std::nullopt, 0})) << cut;
    }
}

TEST(RunDataScan, SlicesAndBlockReadsGiveTheSameResultAsOneGo) {
    std::mt19937 random(11);
    for (int round = 0; round < 40; ++round) {
        const bool big = round % 8 == 0;  // big files cross the reader's 1 MiB blocks
        const auto length = static_cast<uint8_t>(1 + random() % 255);
        const auto count = static_cast<uint32_t>(big ? 2'500'000 / (length + 4) : random() % 60);
        RunFileBuilder builder = RunFileBuilder().Records(count, length);
        for (int i = 0; i < 5 && count > 0; ++i) builder.DamagedRecord(random() % count, random() % 3);
        const bool noNotes = round % 3 == 0;
        if (noNotes) builder.NoNotes();
        if (round % 5 == 0) builder.CutBy(random() % (length + 4));
        const Bytes file = builder.Build();
        MemoryByteSource memory(file);
        ReadOnlySource disk(file);
        const Scan whole = ScanOf(memory, builder.RunDataStart());
        ASSERT_EQ(ScanOf(disk, builder.RunDataStart()), whole) << round;
        if (!big) {
            ASSERT_EQ(ScanOf(memory, builder.RunDataStart(), 1), whole) << round;
            ASSERT_EQ(ScanOf(disk, builder.RunDataStart(), 1 + random() % 7), whole) << round;
        }
        if (round % 5 != 0 && count > 0) {
            const std::optional<uint64_t> notes = noNotes ? std::nullopt : std::optional(builder.NotesPosition());
            EXPECT_EQ(whole, (Scan{length, count, builder.DamagedPositions(), notes, 0})) << round;
        }
    }
}
