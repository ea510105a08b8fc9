// The run file from load to save through the real file layer, with the faults
// a save must survive caused for real: another file at the path, another
// writer since the load, a full disk, a lock held by another program, a file
// gone. After each, nothing of either file has changed and nothing is left
// open.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <thread>

#include "core/RunFileFolderTest.h"
#include "support/LockedFile.h"
#include "testkit/ErrorNumberOf.h"

using namespace Stuff;

namespace {

// The handles this process holds once it has thrown: the first exception
// makes handles that its runtime keeps (on Windows).
int HandlesAfterAFailure() {
    ErrorNumberOf([] { RuntimeError::Raise(ErrorNumber::FileNotFound); });
    return OpenHandleCount();
}

class RunFileTest : public RunFileFolderTest {
protected:
    // Every load and save closed what it opened.
    void ExpectNothingOpen() const { EXPECT_EQ(OpenHandleCount(), handles); }

    const int handles = HandlesAfterAFailure();
};

}  // namespace

TEST_F(RunFileTest, SavesOnlyItsFieldsAgainAndAgainAndAFreshLoadReadsThem) {
    const auto savedWith = [](uint16_t weight) {
        Bytes file = RunFileBuilder().RunName("Run 9  ").Weight(weight).Redline(7000).Records(3, 4).Notes("longer notes\rthan before").Build();
        file.push_back(0x00);  // the NUL after the notes
        return file;
    };
    LoadAndEdit();
    edits.runName = "Run 9  ";
    edits.notes = "longer notes\r\nthan before";
    ASSERT_EQ(runFile.Save(edits).status, SaveStatus::Saved);
    ExpectNothingOpen();
    // The fingerprint follows our own save, so the next one goes through.
    edits.redline = "7000";
    ASSERT_EQ(runFile.Save(edits).status, SaveStatus::Saved);
    EXPECT_EQ(runFile.Contents().values.redline, "7000");
    EXPECT_EQ(Read("RUN.GTP"), savedWith(1500));

    RunFile fresh;
    fresh.Load(folder.Path("RUN.GTP"));
    VehicleTexts back = fresh.Contents().values;
    EXPECT_EQ(std::tie(back.runName, back.weight, back.redline, back.notes),
              std::tie(edits.runName, edits.weight, edits.redline, edits.notes));
    // Only the selected values are written.
    back.vehicleName = "Not written";
    back.weight = "2222";
    ASSERT_EQ(fresh.Save(back, SaveSelection{{Field::VehicleWeight}}).status, SaveStatus::Saved);
    EXPECT_EQ(Read("RUN.GTP"), savedWith(2222));
}

// For many a run its file's date is the only date it has.
TEST_F(RunFileTest, ASaveThatKeepsTheDateLeavesTheLastWriteAsItWasAndTheNextSaveStillGoesThrough) {
    LoadAndEdit();
    const std::filesystem::path path = FsPath(folder.Path("RUN.GTP"));
    const auto dated = std::filesystem::file_time_type::clock::now() - std::chrono::hours(24 * 400) +
                       std::chrono::nanoseconds(123'456'700);
    std::filesystem::last_write_time(path, dated);
    // Read as the save reads it, to the nanosecond (100 ns on Windows).
    const auto modified = [this] {
        return LockedFile(folder.Path("RUN.GTP"), LockedFile::OpenMode::Read).Stamp().modifiedNs;
    };
    const int64_t before = modified();
    runFile.Load(folder.Path("RUN.GTP"));
    ASSERT_EQ(runFile.Save(edits, SaveSelection::Everything(), SaveOptions{true}).status, SaveStatus::Saved);
    EXPECT_EQ(modified(), before);
    EXPECT_EQ(LoadFrom(folder.Path("RUN.GTP")).values.weight, "1500");

    edits.weight = "1600";
    ASSERT_EQ(runFile.Save(edits).status, SaveStatus::Saved);
    EXPECT_GT(modified(), before);
}

// Another file with the very bytes loaded renamed over the one loaded, or a
// link re-pointed at one: only its identity differs.
TEST_F(RunFileTest, APathThatNowNamesAnotherFileIsNeverWritten) {
    LoadAndEdit();
    std::filesystem::rename(FsPath(Write("OTHER.GTP", Loaded)), FsPath(folder.Path("RUN.GTP")));
    EXPECT_EQ(runFile.Save(edits).status, SaveStatus::Changed);
    EXPECT_EQ(Read("RUN.GTP"), Loaded);
    ExpectNothingOpen();

    const std::string link = folder.Path("LINK.GTP");
    std::error_code noLink;
    std::filesystem::create_symlink(FsPath(folder.Path("RUN.GTP")), FsPath(link), noLink);
    if (noLink == std::errc::function_not_supported || noLink == std::errc::operation_not_permitted)
        GTEST_SKIP() << "no symbolic links here: " << noLink.message();
    ASSERT_FALSE(noLink) << noLink.message();
    LoadAndEdit(link);
    ASSERT_TRUE(std::filesystem::remove(FsPath(link)));
    std::filesystem::create_symlink(FsPath(Write("SECOND.GTP", Loaded)), FsPath(link));
    EXPECT_EQ(runFile.Save(edits).status, SaveStatus::Changed);
    EXPECT_EQ(Read("RUN.GTP"), Loaded);
    EXPECT_EQ(Read("SECOND.GTP"), Loaded);
}

TEST_F(RunFileTest, AWriteByAnotherProgramSinceTheLoadIsNeverOverwritten) {
    // Another program writes one byte of the run data, in place.
    LoadAndEdit();
    Bytes theirs = Loaded;
    theirs[320] ^= 0x10;
    {
        std::fstream other(FsPath(folder.Path("RUN.GTP")), std::ios::in | std::ios::out | std::ios::binary);
        other.seekp(320);
        ASSERT_TRUE(other.write(reinterpret_cast<const char*>(&theirs[320]), 1).flush());
    }
    EXPECT_EQ(runFile.Save(edits).status, SaveStatus::Changed);
    EXPECT_EQ(Read("RUN.GTP"), theirs);

    // Another program writes the same bytes again: the write alone counts.
    LoadAndEdit();
    const int64_t loadedWrite = SystemStampOf(folder.Path("RUN.GTP")).modifiedNs;
    for (int i = 0; i < 200; ++i) {  // until the file system's clock has moved on
        Write("RUN.GTP", Loaded);
        if (SystemStampOf(folder.Path("RUN.GTP")).modifiedNs != loadedWrite) break;
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    EXPECT_EQ(runFile.Save(edits).status, SaveStatus::Changed);
    EXPECT_EQ(Read("RUN.GTP"), Loaded);
    ExpectNothingOpen();

    // A second Tachlet saved first: ours is refused, and a new load saves.
    LoadAndEdit();
    RunFile second;
    second.Load(folder.Path("RUN.GTP"));
    VehicleTexts secondEdits = second.Contents().values;
    secondEdits.redline = "4000";
    ASSERT_EQ(second.Save(secondEdits).status, SaveStatus::Saved);
    const Bytes afterSecond = Read("RUN.GTP");
    EXPECT_EQ(runFile.Save(edits).status, SaveStatus::Changed);
    EXPECT_EQ(Read("RUN.GTP"), afterSecond);
    LoadAndEdit(folder.Path("RUN.GTP"));
    EXPECT_EQ(runFile.Save(edits).status, SaveStatus::Saved);
    const VehicleTexts saved = LoadFrom(folder.Path("RUN.GTP")).values;
    EXPECT_EQ(saved.weight, "1500");
    EXPECT_EQ(saved.redline, "4000");
}

TEST_F(RunFileTest, ALockHeldByAnotherProgramRefusesLoadAndSaveUntilItIsGone) {
    LoadAndEdit();
    LockHolder other(folder.Path("RUN.GTP"));
    const SaveOutcome refused = runFile.Save(edits);
    EXPECT_EQ(refused.status, SaveStatus::Failed);
    EXPECT_EQ(refused.number, 70);
    EXPECT_EQ(refused.description, "Permission denied");
    RunFile second;
    EXPECT_EQ(ErrorNumberOf([&] { second.Load(folder.Path("RUN.GTP")); }), 70);
    EXPECT_FALSE(second.IsLoaded());
    other.Release();  // on Windows the lock keeps even a plain read out
    ExpectNothingOpen();
    EXPECT_EQ(Read("RUN.GTP"), Loaded);
    EXPECT_EQ(runFile.Save(edits).status, SaveStatus::Saved);
}

TEST_F(RunFileTest, AFileGoneSinceTheLoadIsNeitherWrittenNorCreated) {
    LoadAndEdit();
    ASSERT_TRUE(std::filesystem::remove(FsPath(folder.Path("RUN.GTP"))));
    const SaveOutcome outcome = runFile.Save(edits);
    EXPECT_EQ(outcome.status, SaveStatus::Failed);
    EXPECT_EQ(outcome.number, 53);
    EXPECT_FALSE(folder.Has("RUN.GTP"));
    ExpectNothingOpen();
}

TEST_F(RunFileTest, AValueThatCannotBeStoredStopsTheSaveBeforeTheFileIsOpened) {
    LoadAndEdit();
    edits.notes = std::string(256, 'n');
    LockHolder other(folder.Path("RUN.GTP"));  // an open would fail: none is tried
    const SaveOutcome outcome = runFile.Save(edits);
    EXPECT_EQ(outcome.status, SaveStatus::Refused);
    EXPECT_NE(outcome.description.find("256"), std::string::npos);
    other.Release();
    ExpectNothingOpen();
}

TEST_F(RunFileTest, AFullDiskStopsALongerSaveBeforeAnyByteIsWritten) {
    const SmallDisk disk(folder.Path("disk"), 64);
    if (NoSmallDisk(disk)) return;
    const Bytes file = OnePageFile();
    ASSERT_EQ(file.size(), 4096u);
    const std::string path = WriteBytes(disk.Path() + Files::PathSeparator + "RUN.GTP", file);
    LoadAndEdit(path);
    edits.runName = "Changed";
    edits.notes = std::string(200, 'N');

    const std::string filler = FillUp(disk.Path());
    const SaveOutcome full = runFile.Save(edits);
    EXPECT_EQ(full.status, SaveStatus::Failed);
    EXPECT_EQ(full.number, 61);
    EXPECT_NE(full.description.find("nothing was written"), std::string::npos) << full.description;
    EXPECT_EQ(ReadBytes(path), file);
    ExpectNothingOpen();

    // Room again: the same save goes through.
    ASSERT_TRUE(std::filesystem::remove(FsPath(filler)));
    ASSERT_EQ(runFile.Save(edits).status, SaveStatus::Saved);
    EXPECT_EQ(std::filesystem::file_size(FsPath(path)), 4032u + 200u + 1u);
    std::filesystem::remove(FsPath(path));  // a prepared disk serves the next run too
}
