#include <gtest/gtest.h>

#include <memory>

#include "testkit/RunDataScan.h"
#include "testkit/RunFileBuilder.h"

using namespace Stuff;
using Bytes = std::vector<uint8_t>;

// Positions counted by hand from the layout, apart from the builder's own
// arithmetic: records of L data bytes and 4 separator bytes from 312 (311
// before 2.0), then the notes length byte.
TEST(RunDataScan, CountsRecordsAndFindsTheNotes) {
    const auto scan = [](const RunFileBuilder& builder) {
        const Bytes file = builder.Build();
        MemoryByteSource source(file);
        return ScanWith(source, builder.RunDataStart());
    };
    EXPECT_EQ(scan(RunFileBuilder().Records(5, 20).Notes("seven!!")), (ScanResult{20, 5, {}, 312 + 5 * 24, 7}));
    EXPECT_EQ(scan(RunFileBuilder().Version("1.1.1").Records(5, 20).Notes("")), (ScanResult{20, 5, {}, 311 + 5 * 24, 0}));
    EXPECT_EQ(scan(RunFileBuilder().Records(1, 255).Notes("n")), (ScanResult{255, 1, {}, 312 + 259, 1}));
    // A notes length equal to L is one more record; the notes come after it.
    const std::string more("abcde\0\0\0\x02xy", 11);
    EXPECT_EQ(scan(RunFileBuilder().Records(3, 5).Notes(more).NotesLengthByte(5)), (ScanResult{5, 4, {}, 312 + 4 * 9, 2}));
    // No run data: a zero length byte, or a file that ends before it.
    EXPECT_EQ(scan(RunFileBuilder().Notes("ignored")), (ScanResult{0, 0, {}, std::nullopt, 0}));
    EXPECT_EQ(scan(RunFileBuilder().Records(3, 20).CutTo(311)), (ScanResult{0, 0, {}, std::nullopt, 0}));
}

TEST(RunDataScan, KeepsTheFirstThousandDamagedPositionsAndCountsAll) {
    // Every record damaged, then one in three: groups mixing both kinds.
    RunFileBuilder builder = RunFileBuilder().Records(2501, 3).Notes("n");
    for (uint32_t i = 0; i < 2501; ++i) {
        if (i < 1200 || i % 3 == 0) builder.DamagedRecord(i, static_cast<int>(i % 3));
    }
    const Bytes file = builder.Build();
    for (uint64_t slice : {uint64_t{7}, UINT64_MAX}) {
        BlockSource source(file);
        RunDataScanner scanner(source, 312);
        while (!scanner.Advance(slice)) {
        }
        const std::vector<uint64_t> all = builder.DamagedPositions();
        EXPECT_EQ(scanner.RecordCount(), 2501u);
        EXPECT_EQ(scanner.DamagedCount(), all.size());
        EXPECT_EQ(scanner.NotesPosition(), builder.NotesPosition());
        EXPECT_EQ(scanner.DamagedPositions(), std::vector<uint64_t>(all.begin(), all.begin() + 1000));
        const std::string message = DamagedPositionsMessage(scanner.DamagedPositions(), scanner.DamagedCount());
        EXPECT_EQ(message.rfind("Error(s) found at: 316, 323, ", 0), 0u);
        const std::string end = ", " + std::to_string(all[999]) + "\r\n... and " + std::to_string(all.size() - 1000) +
                                " more damaged record(s) not listed.";
        EXPECT_EQ(message.substr(message.size() - end.size()), end);
    }
    // A short list, with a position past 4 GiB, and none.
    EXPECT_EQ(DamagedPositionsMessage(std::vector<uint64_t>{357, 5000000000}, 2), "Error(s) found at: 357, 5000000000");
    EXPECT_EQ(DamagedPositionsMessage({}, 0), "");
}

// Run data made up on the fly: `count` records of one data byte each after
// the run-data start, then notes of seven bytes. Reads cost a copy, so files
// far larger than memory can be scanned.
class GeneratedRunData : public ByteSource {
public:
    static constexpr uint64_t Start = 312;
    explicit GeneratedRunData(uint64_t count) : count_(count) {
        for (size_t i = 0; i < pattern_.size(); ++i) pattern_[i] = Record[i % 5];
    }
    uint64_t Size() const override { return NotesOffset() + 8; }
    size_t ReadAt(uint64_t offset, std::span<uint8_t> out) override {
        const size_t count = static_cast<size_t>(std::min<uint64_t>(out.size(), Size() - std::min(offset, Size())));
        size_t done = 0;
        while (done < count) {
            const uint64_t at = offset + done;
            if (at < Start - 1 || at >= NotesOffset()) {
                out[done++] = at == NotesOffset() ? 7 : 'n';
                continue;
            }
            const size_t phase = static_cast<size_t>((at - (Start - 1)) % 5);
            const size_t run = static_cast<size_t>(std::min<uint64_t>({count - done, NotesOffset() - at, pattern_.size() - 5}));
            std::copy_n(pattern_.begin() + static_cast<std::ptrdiff_t>(phase), run, out.begin() + static_cast<std::ptrdiff_t>(done));
            done += run;
        }
        return count;
    }

private:
    static constexpr uint8_t Record[5] = {1, 0xA5, 0, 0, 0};
    uint64_t NotesOffset() const { return Start - 1 + count_ * 5; }
    uint64_t count_;
    std::vector<uint8_t> pattern_ = std::vector<uint8_t>(1 << 20);
};

TEST(RunDataScan, CountsRecordsPastTwoToTheThirtyFirst) {
    const uint64_t count = (uint64_t{1} << 31) + 5;
    GeneratedRunData source(count);
    RunDataScanner scanner(source, GeneratedRunData::Start);
    scanner.Finish();
    EXPECT_EQ(scanner.RecordCount(), count);
    EXPECT_EQ(scanner.DamagedCount(), 0u);
    EXPECT_EQ(scanner.NotesPosition(), GeneratedRunData::Start + count * 5);
    EXPECT_EQ(scanner.NotesLength(), 7);
    EXPECT_EQ(RecordCountText(scanner.RecordCount()), "2147483653 record(s) read.");
    EXPECT_EQ(RecordCountText(0), "No run data found!");
}

// Files larger than the 1 MiB blocks of a read source, with damage at the
// start, across the first block's end and near the file's end, which is cut
// short or holds notes. (The fuzz corpus replays small files in slices.)
TEST(RunDataScan, BlockReadsAndSlicesGiveTheSameResultAsOneGo) {
    for (const uint8_t length : {uint8_t{1}, uint8_t{60}, uint8_t{255}}) {
        for (const bool cut : {false, true}) {
            const uint32_t count = 2'500'000 / (length + 4u);
            RunFileBuilder builder = RunFileBuilder().Records(count, length);
            for (const uint32_t i : {0u, (1u << 20) / (length + 4u), count - 2}) builder.DamagedRecord(i, static_cast<int>(i % 3));
            if (cut) builder.NoNotes().CutBy(1 + length / 2);
            else builder.Notes("notes");
            std::vector<uint64_t> damaged = builder.DamagedPositions();
            if (cut) damaged.push_back(builder.SeparatorPosition(count - 1));
            const std::optional<uint64_t> notes = cut ? std::nullopt : std::optional(builder.NotesPosition());
            const Bytes file = builder.Build();
            MemoryByteSource memory(file);
            BlockSource disk(file);
            const ScanResult whole = ScanWith(memory, 312);
            EXPECT_EQ(whole, (ScanResult{length, count, damaged, notes, static_cast<uint8_t>(cut ? 0 : 5)})) << int{length} << cut;
            EXPECT_EQ(ScanWith(disk, 312, 4099), whole) << int{length} << cut;
        }
    }
}

TEST(RunDataScan, EveryRecordOfAGroupIsChecked) {
    // The scan takes records four at a time. A record cut short is counted
    // and reported where its separator begins, even past the end.
    for (uint32_t count = 1; count <= 13; ++count) {
        for (uint32_t damaged = 0; damaged <= count; ++damaged) {
            for (int cut = -1; cut <= 9; ++cut) {
                const bool notes = cut < 0;
                RunFileBuilder builder = RunFileBuilder().Records(count, 6);
                if (damaged < count) builder.DamagedRecord(damaged, static_cast<int>(damaged % 3));
                if (notes) builder.Notes("nn");
                else builder.NoNotes().CutBy(static_cast<uint64_t>(cut));
                const Bytes file = builder.Build();
                // A copy of exactly the file's size, so a read past its end shows under AddressSanitizer.
                const std::unique_ptr<uint8_t[]> exact(new uint8_t[file.size()]);
                std::copy(file.begin(), file.end(), exact.get());
                MemoryByteSource source({exact.get(), file.size()});
                std::vector<uint64_t> positions = builder.DamagedPositions();
                if (cut > 0 && damaged != count - 1) positions.push_back(builder.SeparatorPosition(count - 1));
                const std::optional<uint64_t> notesAt = notes ? std::optional(builder.NotesPosition()) : std::nullopt;
                EXPECT_EQ(ScanWith(source, 312), (ScanResult{6, count, positions, notesAt, static_cast<uint8_t>(notes ? 2 : 0)}))
                    << count << " records, damaged " << damaged << (notes ? ", notes" : ", cut by ") << (notes ? "" : std::to_string(cut));
            }
        }
    }
}
