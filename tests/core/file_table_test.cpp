#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "support/FileTable.h"
#include "support/RuntimeError.h"
#include "testkit/ErrorNumberOf.h"
#include "testkit/SystemTestkit.h"
#include "testkit/TempFolder.h"

using FileTable::OpenMode;

namespace {

std::string AsText(const std::vector<uint8_t>& bytes) { return std::string(bytes.begin(), bytes.end()); }

std::span<const uint8_t> Bytes(std::string_view text) {
    return {reinterpret_cast<const uint8_t*>(text.data()), text.size()};
}

class FileTableTest : public ::testing::Test {
protected:
    void TearDown() override {
        for (int32_t number = FileTable::LowestNumber; number <= FileTable::HighestNumber; ++number)
            FileTable::Close(number);
    }
    TempFolder folder;
};

}  // namespace

TEST_F(FileTableTest, AFileHeldOpenRefusesEveryOtherOpen) {
    const std::string path = folder.Write("run.gtp", "0123456789");
    const std::pair<OpenMode, OpenMode> cases[] = {{OpenMode::Read, OpenMode::Read},
                                                   {OpenMode::Read, OpenMode::ReadWrite},
                                                   {OpenMode::ReadWrite, OpenMode::Read},
                                                   {OpenMode::ReadWrite, OpenMode::ReadWrite}};
    for (const auto& [held, second] : cases) {
        const int32_t first = FileTable::FreeFile();
        FileTable::Open(path, held, first);
        const int32_t other = FileTable::FreeFile();
        EXPECT_NE(first, other);
        EXPECT_EQ(ErrorNumberOf([&] { FileTable::Open(path, second, other); }), 70);
        EXPECT_FALSE(FileTable::IsOpen(other));
        FileTable::Close(first);
        FileTable::Open(path, second, other);  // free again once the holder closed
        FileTable::Close(other);
    }
}

TEST_F(FileTableTest, AnotherProgramCannotOpenAHeldFile) {
    const std::string path = folder.Write("run.gtp", "data");
    FileTable::Open(path, OpenMode::Read, 1);
    EXPECT_EQ(OpenInAnotherProgram(path), 70);
}

TEST_F(FileTableTest, OpenFailuresNameTheirCause) {
    folder.MakeFolder("sub");
    const std::string file = folder.Write("run.gtp", "x");
    const struct {
        std::string path;
        OpenMode mode;
        int32_t number, error;
    } cases[] = {
        {folder.Path("missing.gtp"), OpenMode::ReadWrite, 1, 53}, {folder.Path("missing.gtp"), OpenMode::Read, 1, 53},
        {folder.Path("nowhere/a.gtp"), OpenMode::Read, 1, 76}, {file + "/a.gtp", OpenMode::Read, 1, 76},
        {folder.Path("sub"), OpenMode::Read, 1, 75},           {folder.Path("sub"), OpenMode::ReadWrite, 1, 75},
        {file, OpenMode::Read, 0, 52},                         {file, OpenMode::Read, 256, 52},
        {std::string("run.gtp\0x", 9), OpenMode::Read, 1, 52},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ErrorNumberOf([&] { FileTable::Open(c.path, c.mode, c.number); }), c.error) << c.path;
    EXPECT_FALSE(folder.Has("missing.gtp"));
    for (int32_t n = 1; n <= 255; ++n)
        EXPECT_FALSE(FileTable::IsOpen(n)) << n;
    FileTable::Open(file, OpenMode::Read, 7);
    EXPECT_EQ(ErrorNumberOf([&] { FileTable::Open(folder.Write("other.gtp", "y"), OpenMode::Read, 7); }), 55);
}

TEST_F(FileTableTest, OpeningAReadOnlyFileForWritingIsRefused) {
    if (MayWriteEverything())
        GTEST_SKIP() << "root ignores permission bits; run as an unprivileged user";
    const std::string path = folder.Write("run.gtp", "x");
    using std::filesystem::perms;
    std::filesystem::permissions(FsPath(path), perms::owner_read | perms::group_read | perms::others_read);
    EXPECT_EQ(ErrorNumberOf([&] { FileTable::Open(path, OpenMode::ReadWrite, 1); }), 70);
    EXPECT_EQ(ErrorNumberOf([&] { FileTable::Open(path, OpenMode::Read, 1); }), 0);
    FileTable::Close(1);
    std::filesystem::permissions(FsPath(path), perms::owner_write, std::filesystem::perm_options::add);
}

TEST_F(FileTableTest, ReadsAtOneBasedPositionsAndZeroesWhatLiesPastTheEnd) {
    FileTable::Open(folder.Write("run.gtp", "ABCDEFGHIJ"), OpenMode::Read, 3);
    // The count read and the bytes (zeros past the end).
    const auto read = [](int64_t at, size_t size) {
        std::vector<uint8_t> out(size, 0x55);
        const size_t count = FileTable::Read(3, at, out);
        return std::to_string(count) + ":" + AsText(out);
    };
    EXPECT_EQ(read(2, 3), "3:BCD");
    EXPECT_EQ(read(8, 3), "3:HIJ");  // ends exactly at the last byte
    EXPECT_EQ(read(8, 5), std::string("3:HIJ\0\0", 7));
    EXPECT_EQ(read(11, 1), std::string("0:\0", 3));
    EXPECT_EQ(FileTable::Length(3), 10);
    std::vector<uint8_t> one(1);
    EXPECT_EQ(ErrorNumberOf([&] { FileTable::Read(3, 0, one); }), 63);
    EXPECT_EQ(ErrorNumberOf([&] { FileTable::Write(3, 1, Bytes("z")); }), 75);
    EXPECT_EQ(ErrorNumberOf([&] { FileTable::Reserve(3, 20); }), 75);
    EXPECT_EQ(ErrorNumberOf([&] { FileTable::Read(4, 1, one); }), 52);
}

TEST_F(FileTableTest, WritesInPlaceAndExtendPastTheEnd) {
    const std::string path = folder.Write("run.gtp", "ABCDEFGHIJ");
    FileTable::Open(path, OpenMode::ReadWrite, 1);
    FileTable::Write(1, 3, Bytes("xyz"));
    EXPECT_EQ(FileTable::Length(1), 10);
    FileTable::Write(1, 13, Bytes("end"));
    std::vector<uint8_t> one(1);
    EXPECT_EQ(FileTable::Read(1, 3, one), 1u);
    EXPECT_EQ(AsText(one), "x");
    FileTable::Flush(1);
    FileTable::Close(1);
    EXPECT_EQ(folder.Read("run.gtp"), std::string("ABxyzFGHIJ\0\0end", 15));
}

TEST_F(FileTableTest, StampTellsTheFileAndItsLastWriteAndReserveMakesRoomAhead) {
    const std::string path = folder.Write("run.gtp", "ABCDEFGHIJ");
    FileTable::Open(path, OpenMode::ReadWrite, 1);
    const FileTable::FileStamp system = SystemStampOf(path);
    const FileTable::FileStamp before = FileTable::Stamp(1);
    EXPECT_EQ(before.index, system.index);
    EXPECT_EQ(before.size, 10u);
    EXPECT_EQ(before.modifiedNs, system.modifiedNs);

    FileTable::Reserve(1, 4);  // shorter than the file: nothing to do
    FileTable::Reserve(1, 14);
    EXPECT_TRUE(FileTable::Stamp(1).SameFile(before));
    FileTable::Close(1);
    // The room is taken beyond the end, or (where the file system cannot)
    // the file grows with zeros.
    const std::string now = folder.Read("run.gtp");
    EXPECT_TRUE(now.size() == 10 || now.size() == 14) << now.size();
    EXPECT_EQ(now, std::string("ABCDEFGHIJ\0\0\0\0", 14).substr(0, now.size()));
}

TEST_F(FileTableTest, APathNamesTheOpenFileUntilAnotherTakesItsPlace) {
    const std::string path = folder.Write("run.gtp", "data");
    const std::string other = folder.Write("other.gtp", "data");
    const std::string link = folder.Path("link.gtp");
    std::filesystem::create_hard_link(FsPath(path), FsPath(link));
    FileTable::Open(path, OpenMode::ReadWrite, 1);
    // On Windows the look at the path gets past the lock that shares nothing.
    EXPECT_TRUE(FileTable::PathNamesFile(path, 1));
    EXPECT_TRUE(FileTable::PathNamesFile(link, 1));
    EXPECT_FALSE(FileTable::PathNamesFile(other, 1));  // the same bytes, another file
    EXPECT_FALSE(FileTable::PathNamesFile(folder.Path("missing.gtp"), 1));
    EXPECT_EQ(ErrorNumberOf([&] { FileTable::PathNamesFile(path, 2); }), 52);
    // Linux lets another file be renamed over a held one; Windows refuses.
    std::error_code refused;
    std::filesystem::rename(FsPath(other), FsPath(path), refused);
    EXPECT_EQ(FileTable::PathNamesFile(path, 1), static_cast<bool>(refused)) << refused.message();
}

TEST_F(FileTableTest, FreeFileGivesTheLowestFreeNumberUntilNoneIsLeft) {
    EXPECT_EQ(FileTable::FreeFile(), 1);
    for (int32_t n = 1; n <= 255; ++n)
        FileTable::Open(folder.Write("f" + std::to_string(n), ""), OpenMode::Read, n);
    EXPECT_EQ(ErrorNumberOf([] { FileTable::FreeFile(); }), 52);
    FileTable::Close(200);
    FileTable::Close(17);
    EXPECT_EQ(FileTable::FreeFile(), 17);
    FileTable::Close(17);  // not open: nothing happens
    EXPECT_EQ(ErrorNumberOf([] { FileTable::Close(256); }), 52);
    // The closed file's lock is gone with its number.
    FileTable::Open(folder.Path("f17"), OpenMode::ReadWrite, 17);
}
