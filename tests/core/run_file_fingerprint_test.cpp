#include <gtest/gtest.h>

#include "testkit/RunFileBuilder.h"
#include "run_file/FileFingerprint.h"

using namespace Stuff;
using Bytes = std::vector<uint8_t>;

namespace {

bool Matches(const FileFingerprint& fingerprint, const Bytes& file) {
    MemoryByteSource source(file);
    return fingerprint.Matches(source);
}

FileFingerprint Of(const Bytes& file) {
    MemoryByteSource source(file);
    return FileFingerprint::Of(source);
}

}  // namespace

TEST(Fingerprint, KnowsTheFileItWasTakenFrom) {
    const RunFileBuilder builder = RunFileBuilder().Records(5, 20).Notes("notes").Tail(8);
    const Bytes file = builder.Build();
    const FileFingerprint loaded(file.size(), Bytes(file.begin() + 272, file.begin() + 289), builder.NotesPosition());
    EXPECT_EQ(Of(file), loaded);
    EXPECT_TRUE(Matches(loaded, file));

    Bytes longer = file;
    longer.push_back(0);
    Bytes otherVersion = file;
    otherVersion[283] = '1';
    Bytes movedNotes = file;
    movedNotes[312 + 3 * 24 - 1] = 7;  // the fourth length byte now reads as the notes
    Bytes cutHeader = file;
    cutHeader.resize(280);
    for (const Bytes& changed : {longer, otherVersion, movedNotes, cutHeader}) EXPECT_FALSE(Matches(loaded, changed));

    // The same length, but the last byte now starts a record cut short.
    const Bytes endsWithNotes = RunFileBuilder().Records(5, 20).Notes("").Build();
    Bytes endsWithRecord = endsWithNotes;
    endsWithRecord.back() = 20;
    EXPECT_FALSE(Matches(Of(endsWithNotes), endsWithRecord));
}

TEST(Fingerprint, FollowsOurOwnSave) {
    const RunFileBuilder builder = RunFileBuilder().Records(3, 20).Notes("ab");
    const Bytes file = builder.Build();
    const FileFingerprint loaded = Of(file);
    const RunFileState state{builder.RunDataStart(), 2.0f, 20, builder.NotesPosition()};
    const SavePlan plan = MakeSavePlan({"Run", "Car", "1", "2", "3", "0.0", "0.0", "longer notes"}, state);
    Bytes saved = file;
    ApplySavePlan(saved, plan);
    EXPECT_FALSE(Matches(loaded, saved));
    EXPECT_TRUE(Matches(loaded.AfterSave(plan), saved));
    EXPECT_EQ(loaded.AfterSave(plan), Of(saved));
}
