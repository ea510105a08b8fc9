#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "base/RuntimeError.h"
#include "support/FileTable.h"
#include "support/LockedFile.h"
#include "testkit/ErrorNumberOf.h"
#include "testkit/SystemTestkit.h"
#include "testkit/TempFolder.h"

using OpenMode = LockedFile::OpenMode;

namespace {

std::string AsText(const std::vector<uint8_t>& bytes) { return std::string(bytes.begin(), bytes.end()); }

std::span<const uint8_t> Bytes(std::string_view text) {
    return {reinterpret_cast<const uint8_t*>(text.data()), text.size()};
}

class LockedFileTest : public ::testing::Test {
protected:
    TempFolder folder;
};

}  // namespace

TEST_F(LockedFileTest, AFileHeldOpenRefusesEveryOtherOpenOfThisProgramOrAnother) {
    const std::string path = folder.Write("run.gtp", "0123456789");
    const std::pair<OpenMode, OpenMode> cases[] = {{OpenMode::Read, OpenMode::Read},
                                                   {OpenMode::Read, OpenMode::ReadWrite},
                                                   {OpenMode::ReadWrite, OpenMode::Read},
                                                   {OpenMode::ReadWrite, OpenMode::ReadWrite}};
    for (const auto& [held, second] : cases) {
        auto first = std::make_unique<LockedFile>(path, held);
        EXPECT_EQ(ErrorNumberOf([&] { LockedFile(path, second); }), 70);
        first.reset();
        LockedFile(path, second);  // free again once the holder closed
    }
    const LockedFile held(path, OpenMode::Read);
    EXPECT_EQ(OpenInAnotherProgram(path), 70);
}

TEST_F(LockedFileTest, OpenFailuresNameTheirCause) {
    folder.MakeFolder("sub");
    const std::string file = folder.Write("run.gtp", "x");
    const struct {
        std::string path;
        OpenMode mode;
        int32_t error;
    } cases[] = {
        {folder.Path("missing.gtp"), OpenMode::ReadWrite, 53}, {folder.Path("missing.gtp"), OpenMode::Read, 53},
        {folder.Path("nowhere/a.gtp"), OpenMode::Read, 76},    {file + "/a.gtp", OpenMode::Read, 76},
        {folder.Path("sub"), OpenMode::Read, 75},              {folder.Path("sub"), OpenMode::ReadWrite, 75},
        {std::string("run.gtp\0x", 9), OpenMode::Read, 52},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ErrorNumberOf([&] { LockedFile(c.path, c.mode); }), c.error) << c.path;
    EXPECT_FALSE(folder.Has("missing.gtp"));
    // Nothing of the failed opens holds a lock.
    LockedFile(file, OpenMode::ReadWrite);
}

TEST_F(LockedFileTest, OpeningAReadOnlyFileForWritingIsRefused) {
    if (MayWriteEverything())
        GTEST_SKIP() << "root ignores permission bits; run as an unprivileged user";
    const std::string path = folder.Write("run.gtp", "x");
    using std::filesystem::perms;
    std::filesystem::permissions(FsPath(path), perms::owner_read | perms::group_read | perms::others_read);
    EXPECT_EQ(ErrorNumberOf([&] { LockedFile(path, OpenMode::ReadWrite); }), 70);
    EXPECT_EQ(ErrorNumberOf([&] { LockedFile(path, OpenMode::Read); }), 0);
    std::filesystem::permissions(FsPath(path), perms::owner_write, std::filesystem::perm_options::add);
}

TEST_F(LockedFileTest, ReadsAtOneBasedPositionsAndZeroesWhatLiesPastTheEnd) {
    LockedFile file(folder.Write("run.gtp", "ABCDEFGHIJ"), OpenMode::Read);
    // The count read and the bytes (zeros past the end).
    const auto read = [&file](int64_t at, size_t size) {
        std::vector<uint8_t> out(size, 0x55);
        const size_t count = file.Read(at, out);
        return std::to_string(count) + ":" + AsText(out);
    };
    EXPECT_EQ(read(2, 3), "3:BCD");
    EXPECT_EQ(read(8, 3), "3:HIJ");  // ends exactly at the last byte
    EXPECT_EQ(read(8, 5), std::string("3:HIJ\0\0", 7));
    EXPECT_EQ(read(11, 1), std::string("0:\0", 3));
    EXPECT_EQ(file.Stamp().size, 10u);
    std::vector<uint8_t> one(1);
    EXPECT_EQ(ErrorNumberOf([&] { file.Read(0, one); }), 63);
    EXPECT_EQ(ErrorNumberOf([&] { file.Write(1, Bytes("z")); }), 75);
    EXPECT_EQ(ErrorNumberOf([&] { file.Reserve(20); }), 75);
    EXPECT_EQ(ErrorNumberOf([&] { file.SetModified(0); }), 75);  // a load never moves the date
    file.Close();
    file.Close();  // twice does nothing
    EXPECT_EQ(ErrorNumberOf([&] { file.Read(1, one); }), 52);
}

TEST_F(LockedFileTest, WritesInPlaceAndExtendPastTheEnd) {
    LockedFile file(folder.Write("run.gtp", "ABCDEFGHIJ"), OpenMode::ReadWrite);
    file.Write(3, Bytes("xyz"));
    EXPECT_EQ(file.Stamp().size, 10u);
    file.Write(13, Bytes("end"));
    std::vector<uint8_t> one(1);
    EXPECT_EQ(file.Read(3, one), 1u);
    EXPECT_EQ(AsText(one), "x");
    file.Flush();
    file.Close();
    EXPECT_EQ(folder.Read("run.gtp"), std::string("ABxyzFGHIJ\0\0end", 15));
}

TEST_F(LockedFileTest, StampTellsTheFileAndItsLastWriteAndReserveMakesRoomAhead) {
    const std::string path = folder.Write("run.gtp", "ABCDEFGHIJ");
    LockedFile file(path, OpenMode::ReadWrite);
    const SystemFile::FileStamp system = SystemStampOf(path);
    const SystemFile::FileStamp before = file.Stamp();
    EXPECT_EQ(before.index, system.index);
    EXPECT_EQ(before.size, 10u);
    EXPECT_EQ(before.modifiedNs, system.modifiedNs);

    file.Reserve(4);  // shorter than the file: nothing to do
    file.Reserve(14);
    EXPECT_TRUE(file.Stamp().SameFile(before));
    file.Close();
    // The room is taken beyond the end, or (where the file system cannot)
    // the file grows with zeros.
    const std::string now = folder.Read("run.gtp");
    EXPECT_TRUE(now.size() == 10 || now.size() == 14) << now.size();
    EXPECT_EQ(now, std::string("ABCDEFGHIJ\0\0\0\0", 14).substr(0, now.size()));
}

TEST_F(LockedFileTest, APathNamesTheOpenFileUntilAnotherTakesItsPlace) {
    const std::string path = folder.Write("run.gtp", "data");
    const std::string other = folder.Write("other.gtp", "data");
    const std::string link = folder.Path("link.gtp");
    std::filesystem::create_hard_link(FsPath(path), FsPath(link));
    LockedFile file(path, OpenMode::ReadWrite);
    // On Windows the look at the path gets past the lock that shares nothing.
    EXPECT_TRUE(file.PathStillNamesIt());
    EXPECT_TRUE(file.NamedBy(link));
    EXPECT_FALSE(file.NamedBy(other));  // the same bytes, another file
    EXPECT_FALSE(file.NamedBy(folder.Path("missing.gtp")));
    // Linux lets another file be renamed over a held one; Windows refuses.
    std::error_code refused;
    std::filesystem::rename(FsPath(other), FsPath(path), refused);
    EXPECT_EQ(file.PathStillNamesIt(), static_cast<bool>(refused)) << refused.message();
}

// The numbers of the form runtime's files: the lowest free one, files the
// table opens and owns, and files lent to it by their owner.
TEST_F(LockedFileTest, TheFileTableNumbersOwnedAndLentFilesFromTheLowestFree) {
    for (const int32_t outside : {0, 256})
        EXPECT_EQ(ErrorNumberOf([&] { FileTable::Open(folder.Write("x", ""), OpenMode::Read, outside); }), 52) << outside;
    EXPECT_EQ(FileTable::FreeFile(), 1);
    for (int32_t n = 1; n <= 254; ++n)
        FileTable::Open(folder.Write("f" + std::to_string(n), ""), OpenMode::Read, n);
    const LockedFile lent(folder.Write("lent", "abc"), OpenMode::Read);
    EXPECT_EQ(FileTable::Lend(lent), 255);
    EXPECT_EQ(&FileTable::File(255), &lent);
    EXPECT_EQ(ErrorNumberOf([] { FileTable::FreeFile(); }), 52);
    EXPECT_EQ(ErrorNumberOf([&] { FileTable::Lend(lent); }), 52);
    EXPECT_EQ(ErrorNumberOf([&] { FileTable::Open(folder.Path("f1"), OpenMode::Read, 7); }), 55);
    FileTable::Close(255);  // ends the loan: the file stays open
    EXPECT_EQ(lent.Stamp().size, 3u);
    FileTable::Close(200);
    FileTable::Close(17);
    EXPECT_EQ(FileTable::FreeFile(), 17);
    FileTable::Close(17);  // not open: nothing happens
    EXPECT_EQ(ErrorNumberOf([] { FileTable::Close(256); }), 52);
    EXPECT_EQ(ErrorNumberOf([] { FileTable::File(17); }), 52);
    // The closed file's lock is gone with its number.
    LockedFile(folder.Path("f17"), OpenMode::ReadWrite);
    for (int32_t n = 1; n <= 255; ++n)
        FileTable::Close(n);
}
