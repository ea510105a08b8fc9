// Run files of random layouts saved with random values: a save writes only
// the fixed fields and the notes, and a load of the result shows the values.
#include <gtest/gtest.h>

#include <random>

#include "run_file/Stuff.h"
#include "testkit/RunFileBuilder.h"
#include "testkit/RunFileDecode.h"

using namespace Stuff;
using Bytes = std::vector<uint8_t>;

namespace {

std::string Tenths(uint32_t tenths) { return std::to_string(tenths / 10) + "." + std::to_string(tenths % 10); }

// Notes as the notes box gives them, and how many bytes they take stored: a
// CR LF line break is one CR, "é" one byte.
std::pair<std::string, size_t> RandomNotes(std::mt19937& random, size_t bytes) {
    std::string text;
    for (size_t i = 0; i < bytes; ++i) text += random() % 8 == 0 ? "\r\n" : random() % 2 ? "\xc3\xa9" : "n";
    return {text, bytes};
}

}  // namespace

TEST(SaveProperty, RandomLayoutsAndValuesWriteOnlyTheirFieldsAndReloadAsSaved) {
    std::mt19937 random(20240617);
    int grown = 0;
    for (int round = 0; round < 3000; ++round) {
        SCOPED_TRACE("round " + std::to_string(round));
        const bool pitch = random() % 2;
        const auto count = static_cast<uint32_t>(random() % 5 == 0 ? 0 : 1 + random() % 40);
        const auto length = static_cast<uint8_t>(random() % 10 == 0 ? 1 + random() % 255 : 1 + random() % 40);
        RunFileBuilder builder = RunFileBuilder().Version(pitch ? "2.0" : "1.1.1").Records(count, length);
        for (uint32_t i = 0; i < count; ++i) {
            if (random() % 10 == 0) builder.DamagedRecord(i, static_cast<int>(random() % 3));
        }
        // Notes with bytes after them, run data to the end of the file, a last
        // record cut short, or a notes length past the end of the file.
        const int shape = count == 0 ? 1 : random() % 4;
        size_t notesLength = random() % 256;
        if (notesLength == length) notesLength = (notesLength + 1) % 256;  // it would read as one more record
        const std::string notes(notesLength, 'o');
        if (shape == 0) builder.Notes(notes).Tail(random() % 40);
        if (shape == 1) builder.NoNotes();
        if (shape == 2) builder.NoNotes().CutBy(1 + random() % (length + 3u));
        if (shape == 3) builder.Notes(notes.substr(0, notes.size() / 2)).NotesLengthByte(static_cast<uint8_t>(notes.size()));
        const Bytes file = builder.Build();
        std::optional<uint64_t> notesAt;
        if (count > 0 && shape % 3 == 0) notesAt = builder.NotesPosition();
        const DecodedRunFile loaded = DecodeRunFile(file);
        ASSERT_EQ(loaded.state.NotesPosition, notesAt);

        VehicleTexts edits = loaded.texts;
        edits.runName = "Run \xe2\x82\xac" + std::to_string(random() % 100000);
        edits.vehicleName = std::string(random() % 16, 'v');
        edits.weight = std::to_string(random() % 65536);
        edits.redline = std::to_string(random() % 65536);
        edits.shiftPoint = std::to_string(random() % 65536);
        edits.rollout = Tenths(random() % 256);
        if (pitch) edits.pitch = Tenths(static_cast<uint32_t>(random() % 100));
        auto [text, notesBytes] = RandomNotes(random, random() % 4 == 0 ? 254 : random() % 60);
        if (notesBytes == length) text += "n", ++notesBytes;
        edits.notes = text;
        const SavePlan plan = MakeSavePlan(edits, loaded.state);
        Bytes saved = file;
        ApplySavePlan(saved, plan);

        // Every byte outside the fields and, where the load found notes, the
        // length byte, the notes and the NUL after them, stays as it was.
        std::vector<std::pair<uint64_t, uint64_t>> writable{{20, 48}, {132, 16}, {148, 2}, {150, 1}, {152, 2}, {154, 2}};
        if (pitch) writable.push_back({77, 1});
        if (notesAt) writable.push_back({*notesAt, notesBytes + 2});
        Bytes expected = file;
        for (const auto& [position, width] : writable) {
            for (uint64_t i = position - 1; i < position - 1 + width && i < file.size(); ++i) expected[i] = saved[i];
        }
        ASSERT_EQ(Bytes(saved.begin(), saved.begin() + std::min(saved.size(), file.size())), expected);
        ASSERT_EQ(saved.size(), std::max<uint64_t>(file.size(), notesAt ? *notesAt + notesBytes + 1 : 0));
        grown += saved.size() > file.size();

        const DecodedRunFile reloaded = DecodeRunFile(saved);
        const VehicleTexts& r = reloaded.texts;
        EXPECT_EQ(std::tie(r.runName, r.vehicleName, r.weight, r.redline, r.shiftPoint, r.rollout),
                  std::tie(edits.runName, edits.vehicleName, edits.weight, edits.redline, edits.shiftPoint,
                           edits.rollout));
        EXPECT_EQ(r.pitch, pitch ? edits.pitch : "n/a");
        EXPECT_EQ(r.notes, notesAt ? edits.notes : "");
        EXPECT_EQ(std::tie(reloaded.state.NotesPosition, reloaded.recordCount, reloaded.damaged),
                  std::tie(notesAt, loaded.recordCount, loaded.damaged));
    }
    EXPECT_GT(grown, 200);  // the generator reached saves that make the file longer
}
