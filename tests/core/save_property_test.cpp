#include <gtest/gtest.h>

#include <random>

#include "run_file/Stuff.h"
#include "support/RuntimeError.h"
#include "testkit/RunFileBuilder.h"
#include "testkit/RunFileDecode.h"

using namespace Stuff;
using Bytes = std::vector<uint8_t>;

namespace {

// Characters of an entry as typed (UTF-8); each takes one byte in the file.
const std::vector<std::string> Typed{"a", "Z", "7", " ", "-", ".", "\xc3\xa9", "\xe2\x82\xac", "\xc3\x9f",
                                     "\xc3\xbf", "\xc5\x92", "\xe2\x84\xa2", "\xc2\xa0"};
// Bytes of the texts PASS wrote: letters, blanks and Windows-1252 letters.
const std::string Stored = "abcXYZ09 -.\xe9\x80\xdf\xff\x8c\x99\xa0";

struct Entry {
    std::string text;
    size_t bytes = 0;  // its length in the file
};

// An entry as the window gives it: names without a blank at either end,
// which the load trims; notes with CR LF line breaks, stored as one CR.
Entry RandomEntry(std::mt19937& random, size_t maxBytes, bool notes) {
    Entry entry;
    entry.bytes = random() % (maxBytes + 1);
    for (size_t i = 0; i < entry.bytes; ++i) {
        const std::string& c = notes && random() % 8 == 0 ? "\r\n" : Typed[random() % Typed.size()];
        entry.text += !notes && c == " " && (i == 0 || i + 1 == entry.bytes) ? "x" : c;
    }
    return entry;
}

// Stored bytes without a blank at either end.
std::string RandomStored(std::mt19937& random, size_t length, const std::string& from) {
    std::string text;
    for (size_t i = 0; i < length; ++i) text += from[random() % from.size()];
    if (!text.empty() && text.front() == ' ') text.front() = 'a';
    if (!text.empty() && text.back() == ' ') text.back() = 'z';
    return text;
}

std::string Tenths(uint32_t tenths) { return std::to_string(tenths / 10) + "." + std::to_string(tenths % 10); }

struct Case {
    bool pitch = false;  // version 2.0 has a pitch factor, 1.1.1 has none
    Bytes file;
    uint8_t recordLength = 0;
    std::optional<uint64_t> notesPosition;  // where the builder put the notes length byte
    VehicleTexts edits;
    size_t editedNotesBytes = 0;
};

Case RandomCase(std::mt19937& random) {
    Case c;
    c.pitch = random() % 2;
    RunFileBuilder builder;
    builder.Version(c.pitch ? "2.0" : "1.1.1").RunName(RandomStored(random, random() % 48, Stored));
    builder.VehicleName(RandomStored(random, random() % 16, Stored)).Weight(random()).Redline(random());
    builder.ShiftPoint(random()).Rollout(random()).Pitch(random() % 100);
    const uint32_t count = random() % 5 == 0 ? 0 : 1 + random() % 40;
    c.recordLength = count == 0 ? 0 : static_cast<uint8_t>(random() % 10 == 0 ? 1 + random() % 255 : 1 + random() % 40);
    builder.Records(count, c.recordLength);
    for (uint32_t i = 0; i < count; ++i) {
        if (random() % 10 == 0) builder.DamagedRecord(i, static_cast<int>(random() % 3));
    }
    size_t notesLength = random() % 256;
    if (notesLength == c.recordLength) ++notesLength;  // the notes would read as one more record
    const std::string notes = RandomStored(random, notesLength % 256, Stored + "\r");
    // Notes with bytes after them, run data to the end of the file, a last
    // record cut short, or a notes length past the end of the file.
    const int shape = count == 0 ? 1 : random() % 4;
    if (shape == 0) builder.Notes(notes).Tail(random() % 40);
    if (shape == 1) builder.NoNotes();
    if (shape == 2) builder.NoNotes().CutBy(1 + random() % (c.recordLength + 3u));
    if (shape == 3) builder.Notes(notes.substr(0, notes.size() / 2)).NotesLengthByte(notes.size());
    c.file = builder.Build();
    if (count > 0 && (shape == 0 || shape == 3)) c.notesPosition = builder.NotesPosition();

    // The stored notes hold no NUL and no LF, so they are saved back as they are.
    const DecodedRunFile loaded = DecodeRunFile(c.file);
    c.edits = loaded.texts;
    c.editedNotesBytes = loaded.storedNotes.size();
    const auto maybe = [&random](std::string& value, std::string edited) {
        if (random() % 2) value = std::move(edited);
    };
    maybe(c.edits.runName, RandomEntry(random, 47, false).text);
    maybe(c.edits.vehicleName, RandomEntry(random, 15, false).text);
    maybe(c.edits.weight, std::to_string(random() % 65536));
    maybe(c.edits.redline, std::to_string(random() % 65536));
    maybe(c.edits.shiftPoint, std::to_string(random() % 65536));
    maybe(c.edits.rollout, Tenths(random() % 256));
    if (c.pitch) maybe(c.edits.pitch, Tenths(random() % 100));
    const Entry notesEdit = RandomEntry(random, random() % 4 == 0 ? 270 : 60, true);
    if (random() % 4) c.edits.notes = notesEdit.text, c.editedNotesBytes = notesEdit.bytes;
    return c;
}

// Whether the plan may refuse the edits, and with which error.
int32_t ExpectedRefusal(const Case& c) {
    if (!c.notesPosition) return 0;
    if (c.editedNotesBytes > MaxNotesBytes) return RuntimeError::Overflow;
    return c.editedNotesBytes == c.recordLength ? 5 : 0;
}

void ExpectSavedAsEdited(const Case& c, const DecodedRunFile& loaded, const Bytes& saved, const SavePlan& plan) {
    // A save may write the fixed fields and, where the load found notes, the
    // length byte, the notes and the NUL after them.
    std::vector<std::pair<uint64_t, uint64_t>> writable{{20, 48}, {132, 16}, {148, 2}, {150, 1}, {152, 2}, {154, 2}};
    if (c.pitch) writable.push_back({77, 1});
    if (c.notesPosition) writable.push_back({*c.notesPosition, c.editedNotesBytes + 2});
    Bytes expected = c.file;
    for (const auto& [position, width] : writable) {
        for (uint64_t i = position - 1; i < position - 1 + width && i < expected.size(); ++i) expected[i] = saved[i];
    }
    ASSERT_EQ(Bytes(saved.begin(), saved.begin() + std::min(saved.size(), c.file.size())), expected);
    const uint64_t notesEnd = c.notesPosition ? *c.notesPosition + c.editedNotesBytes + 1 : 0;
    ASSERT_EQ(saved.size(), std::max<uint64_t>(c.file.size(), notesEnd));

    const DecodedRunFile reloaded = DecodeRunFile(saved);
    const VehicleTexts& e = c.edits;
    const VehicleTexts& r = reloaded.texts;
    EXPECT_EQ(std::tie(r.runName, r.vehicleName, r.weight, r.redline, r.shiftPoint, r.rollout),
              std::tie(e.runName, e.vehicleName, e.weight, e.redline, e.shiftPoint, e.rollout));
    EXPECT_EQ(r.pitch, c.pitch ? e.pitch : "n/a");
    EXPECT_EQ(r.notes, c.notesPosition ? e.notes : "");
    EXPECT_EQ(reloaded.state.NotesPosition, c.notesPosition);
    EXPECT_EQ(std::tie(reloaded.recordCount, reloaded.damaged), std::tie(loaded.recordCount, loaded.damaged));
    MemoryByteSource after(saved);
    EXPECT_TRUE(loaded.Fingerprint(c.file.size()).AfterSave(plan).Matches(after));
}

}  // namespace

TEST(SaveProperty, RandomEditsWriteOnlyTheirFieldsAndReloadAsSaved) {
    std::mt19937 random(20240617);
    int saves = 0, refused = 0, grown = 0;
    for (int round = 0; round < 4000; ++round) {
        SCOPED_TRACE("round " + std::to_string(round));
        const Case c = RandomCase(random);
        const DecodedRunFile loaded = DecodeRunFile(c.file);
        ASSERT_EQ(loaded.state.NotesPosition, c.notesPosition);
        ASSERT_EQ(loaded.state.RecordLength, c.recordLength);
        SavePlan plan;
        try {
            plan = MakeSavePlan(c.edits, loaded.state);
        } catch (const RuntimeError& error) {
            ASSERT_EQ(error.Number(), ExpectedRefusal(c)) << error.Description();
            ++refused;
            continue;
        }
        ASSERT_EQ(ExpectedRefusal(c), 0);
        Bytes saved = c.file;
        ApplySavePlan(saved, plan);
        ASSERT_NO_FATAL_FAILURE(ExpectSavedAsEdited(c, loaded, saved, plan));
        ++saves;
        grown += saved.size() > c.file.size();
    }
    // The generator must have reached every kind of save.
    EXPECT_GT(saves, 3000);
    EXPECT_GT(refused, 20);
    EXPECT_GT(grown, 200);
}
