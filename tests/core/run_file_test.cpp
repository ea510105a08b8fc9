// The run file from load to save through the real file layer, with the faults
// a save must survive caused for real: another file at the path, another
// writer since the load, a full disk, a lock held by another program, a file
// gone. After each, nothing of either file has changed and nothing is left
// open.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>

#include "run_file/RunFile.h"
#include "support/FileTable.h"
#include "testkit/ErrorNumberOf.h"
#include "testkit/LockHolder.h"
#include "testkit/RunFileBuilder.h"
#include "testkit/TempFolder.h"

using namespace Stuff;
using Bytes = std::vector<uint8_t>;

namespace {

class RunFileTest : public ::testing::Test {
protected:
    std::string Write(const std::string& name, const Bytes& bytes) const {
        return folder.Write(name, std::string(bytes.begin(), bytes.end()));
    }
    Bytes Read(const std::string& name) const {
        const std::string text = folder.Read(name);
        return Bytes(text.begin(), text.end());
    }
    void ExpectNothingOpen() const {
        EXPECT_EQ(holder.Handle(), 0);
        for (int32_t number = FileTable::LowestNumber; number <= FileTable::HighestNumber; ++number) {
            ASSERT_FALSE(FileTable::IsOpen(number)) << number;
        }
    }
    // A run file loaded from RUN.GTP, with its weight edited.
    RunFile& LoadAndEdit(const Bytes& bytes) {
        Write("RUN.GTP", bytes);
        runFile.Load(folder.Path("RUN.GTP"));
        edits = runFile.Contents().values;
        edits.weight = "1500";
        return runFile;
    }

    TempFolder folder;
    FileHandle holder;
    RunFile runFile{holder};
    VehicleTexts edits;
};

const Bytes Loaded = RunFileBuilder().Records(3, 4).Notes("notes").Tail(9).Build();

}  // namespace

TEST_F(RunFileTest, SavesOnlyItsFieldsAgainAndAgainAndAFreshLoadReadsThem) {
    LoadAndEdit(Loaded);
    edits.runName = "Run 9  ";
    edits.notes = "longer notes\r\nthan before";
    ASSERT_EQ(runFile.Save(edits).status, SaveStatus::Saved);
    ExpectNothingOpen();
    // The fingerprint follows our own save, so the next one goes through.
    edits.redline = "7000";
    ASSERT_EQ(runFile.Save(edits).status, SaveStatus::Saved);
    EXPECT_EQ(runFile.Contents().values.redline, "7000");

    FileHandle otherHolder;
    RunFile fresh(otherHolder);
    fresh.Load(folder.Path("RUN.GTP"));
    const VehicleTexts& back = fresh.Contents().values;
    EXPECT_EQ(std::tie(back.runName, back.weight, back.redline, back.notes),
              std::tie(edits.runName, edits.weight, edits.redline, edits.notes));
    const Bytes expected = RunFileBuilder()
                               .RunName("Run 9  ")
                               .Weight(1500)
                               .Redline(7000)
                               .Records(3, 4)
                               .Notes("longer notes\rthan before")
                               .Build();
    Bytes saved = Read("RUN.GTP");
    ASSERT_EQ(saved.size(), expected.size() + 1);
    EXPECT_EQ(saved.back(), 0x00);  // the NUL after the notes
    saved.pop_back();
    EXPECT_EQ(saved, expected);

    // Only the selected values are written.
    VehicleTexts other = fresh.Contents().values;
    other.vehicleName = "Not written";
    other.weight = "2222";
    SaveSelection weightOnly;
    weightOnly.fields = {Field::VehicleWeight};
    ASSERT_EQ(fresh.Save(other, weightOnly).status, SaveStatus::Saved);
    Bytes afterWeight = Read("RUN.GTP");
    EXPECT_EQ(afterWeight[147] * 256 + afterWeight[148], 2222);
    afterWeight[147] = saved[147], afterWeight[148] = saved[148];
    EXPECT_EQ(Bytes(afterWeight.begin(), afterWeight.end() - 1), saved);
}

TEST_F(RunFileTest, APathThatNowNamesAnotherFileIsNeverWritten) {
    // Both other files hold the very bytes loaded: only their identity differs.
    const std::string first = Write("FIRST.GTP", Loaded);
    const std::string second = Write("SECOND.GTP", Loaded);
    const std::string link = folder.Path("LINK.GTP");
    ASSERT_EQ(::symlink(first.c_str(), link.c_str()), 0);
    runFile.Load(link);
    edits = runFile.Contents().values;
    edits.weight = "1500";
    ASSERT_EQ(::unlink(link.c_str()), 0);
    ASSERT_EQ(::symlink(second.c_str(), link.c_str()), 0);
    EXPECT_EQ(runFile.Save(edits).status, SaveStatus::Changed);
    EXPECT_EQ(Read("FIRST.GTP"), Loaded);
    EXPECT_EQ(Read("SECOND.GTP"), Loaded);
    ExpectNothingOpen();

    // Another file renamed over the one loaded.
    LoadAndEdit(Loaded);
    Write("OTHER.GTP", Loaded);
    ASSERT_EQ(std::rename(folder.Path("OTHER.GTP").c_str(), folder.Path("RUN.GTP").c_str()), 0);
    EXPECT_EQ(runFile.Save(edits).status, SaveStatus::Changed);
    EXPECT_EQ(Read("RUN.GTP"), Loaded);
    ExpectNothingOpen();
}

TEST_F(RunFileTest, AWriteByAnotherProgramSinceTheLoadIsNeverOverwritten) {
    // Another program writes one byte of the run data, in place.
    LoadAndEdit(Loaded);
    Bytes theirs = Loaded;
    theirs[320] ^= 0x10;
    {
        const int descriptor = ::open(folder.Path("RUN.GTP").c_str(), O_WRONLY);
        ASSERT_GE(descriptor, 0);
        ASSERT_EQ(::pwrite(descriptor, &theirs[320], 1, 320), 1);
        ::close(descriptor);
    }
    EXPECT_EQ(runFile.Save(edits).status, SaveStatus::Changed);
    EXPECT_EQ(Read("RUN.GTP"), theirs);

    // Another program writes the same bytes again: the write alone counts.
    LoadAndEdit(Loaded);
    struct stat loadedInfo {};
    ASSERT_EQ(::stat(folder.Path("RUN.GTP").c_str(), &loadedInfo), 0);
    for (int i = 0; i < 200; ++i) {  // until the file system's clock has moved on
        Write("RUN.GTP", Loaded);
        struct stat info {};
        ASSERT_EQ(::stat(folder.Path("RUN.GTP").c_str(), &info), 0);
        if (info.st_mtim.tv_nsec != loadedInfo.st_mtim.tv_nsec || info.st_mtim.tv_sec != loadedInfo.st_mtim.tv_sec) break;
        ::usleep(5000);
    }
    EXPECT_EQ(runFile.Save(edits).status, SaveStatus::Changed);
    EXPECT_EQ(Read("RUN.GTP"), Loaded);

    // A second Tachlet saved first: ours is refused, and a new load saves.
    LoadAndEdit(Loaded);
    FileHandle secondHolder;
    RunFile second(secondHolder);
    second.Load(folder.Path("RUN.GTP"));
    VehicleTexts secondEdits = second.Contents().values;
    secondEdits.redline = "4000";
    ASSERT_EQ(second.Save(secondEdits).status, SaveStatus::Saved);
    const Bytes afterSecond = Read("RUN.GTP");
    EXPECT_EQ(runFile.Save(edits).status, SaveStatus::Changed);
    EXPECT_EQ(Read("RUN.GTP"), afterSecond);
    runFile.Load(folder.Path("RUN.GTP"));
    edits = runFile.Contents().values;
    edits.weight = "1500";
    EXPECT_EQ(runFile.Save(edits).status, SaveStatus::Saved);
    EXPECT_EQ(Read("RUN.GTP")[151] * 256 + Read("RUN.GTP")[152], 4000);
    ExpectNothingOpen();
}

TEST_F(RunFileTest, ALockHeldByAnotherProgramRefusesLoadAndSaveUntilItIsGone) {
    LoadAndEdit(Loaded);
    LockHolder other(folder.Path("RUN.GTP"));
    const SaveOutcome refused = runFile.Save(edits);
    EXPECT_EQ(refused.status, SaveStatus::Failed);
    EXPECT_EQ(refused.number, 70);
    EXPECT_EQ(refused.description, "Permission denied");
    FileHandle otherHolder;
    RunFile second(otherHolder);
    EXPECT_EQ(ErrorNumberOf([&] { second.Load(folder.Path("RUN.GTP")); }), 70);
    EXPECT_FALSE(second.IsLoaded());
    EXPECT_EQ(Read("RUN.GTP"), Loaded);
    ExpectNothingOpen();
    other.Release();
    EXPECT_EQ(runFile.Save(edits).status, SaveStatus::Saved);
}

TEST_F(RunFileTest, AFileGoneSinceTheLoadIsNeitherWrittenNorCreated) {
    LoadAndEdit(Loaded);
    ASSERT_EQ(std::remove(folder.Path("RUN.GTP").c_str()), 0);
    const SaveOutcome outcome = runFile.Save(edits);
    EXPECT_EQ(outcome.status, SaveStatus::Failed);
    EXPECT_EQ(outcome.number, 53);
    EXPECT_FALSE(folder.Has("RUN.GTP"));
    ExpectNothingOpen();
}

TEST_F(RunFileTest, AValueThatCannotBeStoredStopsTheSaveBeforeTheFileIsOpened) {
    LoadAndEdit(Loaded);
    edits.notes = std::string(256, 'n');
    LockHolder other(folder.Path("RUN.GTP"));  // an open would fail: none is tried
    const SaveOutcome outcome = runFile.Save(edits);
    EXPECT_EQ(outcome.status, SaveStatus::Refused);
    EXPECT_NE(outcome.description.find("256"), std::string::npos);
    ExpectNothingOpen();
}

// A disk that fills up: a tmpfs of its own, mounted where the tests run as
// root. Where it cannot be mounted the test fails in CI, and is skipped only
// outside it.
TEST_F(RunFileTest, AFullDiskStopsALongerSaveBeforeAnyByteIsWritten) {
    const std::string disk = folder.MakeFolder("disk");
    if (::mount("tmpfs", disk.c_str(), "tmpfs", 0, "size=64k") != 0) {
        const std::string why = std::string("cannot mount a small tmpfs: ") + std::strerror(errno);
        if (std::getenv("CI") != nullptr) FAIL() << why;
        GTEST_SKIP() << why;
    }
    struct Unmount {
        std::string path;
        ~Unmount() { ::umount2(path.c_str(), MNT_DETACH); }
    } unmount{disk};

    // A file of exactly one page whose notes end at its end: longer notes need
    // a page that the full disk no longer has.
    const Bytes file = RunFileBuilder().Records(155, 20).Notes(std::string(64, 'o')).Build();
    ASSERT_EQ(file.size(), 4096u);
    const std::string path = disk + "/RUN.GTP";
    folder.Write("disk/RUN.GTP", std::string(file.begin(), file.end()));
    runFile.Load(path);
    edits = runFile.Contents().values;
    edits.weight = "1500";
    edits.runName = "Changed";
    edits.notes = std::string(200, 'N');

    const std::string filler = disk + "/filler";
    {
        const int descriptor = ::open(filler.c_str(), O_WRONLY | O_CREAT, 0600);
        ASSERT_GE(descriptor, 0);
        const std::vector<char> page(4096, 'f');
        while (::write(descriptor, page.data(), page.size()) == static_cast<ssize_t>(page.size())) {
        }
        ::close(descriptor);
    }
    const SaveOutcome full = runFile.Save(edits);
    EXPECT_EQ(full.status, SaveStatus::Failed);
    EXPECT_EQ(full.number, 61);
    EXPECT_NE(full.description.find("nothing was written"), std::string::npos) << full.description;
    EXPECT_EQ(folder.Read("disk/RUN.GTP"), std::string(file.begin(), file.end()));
    ExpectNothingOpen();

    // Room again: the same save goes through.
    ASSERT_EQ(::unlink(filler.c_str()), 0);
    ASSERT_EQ(runFile.Save(edits).status, SaveStatus::Saved);
    EXPECT_EQ(std::filesystem::file_size(path), 4032u + 200u + 1u);
}
