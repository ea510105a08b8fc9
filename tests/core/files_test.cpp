#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <set>
#include <string>
#include <tuple>
#include <vector>

#include "support/DirectorySearch.h"
#include "support/Errors.h"
#include "support/FileHandle.h"
#include "support/FileTable.h"
#include "support/Files.h"
#include "testkit/ErrorNumberOf.h"
#include "testkit/TempFolder.h"

namespace {

void ExpectRecord(int32_t number, const std::string& description, const std::string& extendedInfo = "") {
    const ErrObject& e = Errors::LastError();
    EXPECT_EQ(std::make_tuple(e.Number(), e.Description(), e.ExtendedInfo()),
              std::make_tuple(number, description, extendedInfo));
}

// Every name the search hands out, starting with `path`.
std::set<std::string> AllEntries(const std::string& path) {
    std::set<std::string> names;
    for (std::string name = Files::FindEntry(path); !name.empty(); name = Files::FindEntry(""))
        names.insert(name);
    return names;
}

// A folder of run files in mixed case, a text file, a hidden file and a folder.
class FilesTest : public ::testing::Test {
protected:
    void SetUp() override {
        folder.Write("A.GTP", "12345");
        folder.Write("b.Gtp", "");
        folder.Write("c.txt", "text");
        folder.Write(".hidden.gtp", "h");
        folder.MakeFolder("sub");
    }
    TempFolder folder;
};

}  // namespace

TEST_F(FilesTest, PathExistsLooksForTheLastComponent) {
    const int descriptors = OpenDescriptorCount();
    EXPECT_TRUE(Files::PathExists(folder.Path()));
    EXPECT_TRUE(Files::PathExists(folder.Path("a.gtp")));  // any case
    for (const std::string& path : {folder.Path() + "/", std::string("/"), std::string()}) {
        EXPECT_FALSE(Files::PathExists(path)) << path;
    }
    EXPECT_FALSE(Files::PathExists(folder.Path("missing.gtp")));
    ExpectRecord(2, "File Not Found");
    EXPECT_FALSE(Files::PathExists(folder.Path("nowhere/a.gtp")));
    ExpectRecord(3, "Path Not Found");
    // An empty path names nothing, even while a search is in progress.
    ASSERT_FALSE(Files::FindEntry(folder.Path("*")).empty());
    EXPECT_FALSE(Files::PathExists(""));
    EXPECT_EQ(OpenDescriptorCount(), descriptors);
}

TEST_F(FilesTest, FindEntryMatchesWithoutRegardToCase) {
    EXPECT_EQ(AllEntries(folder.Path("*.gtp")), (std::set<std::string>{"A.GTP", "b.Gtp", ".hidden.gtp"}));
    EXPECT_EQ(AllEntries(folder.Path("?.GTP")), (std::set<std::string>{"A.GTP", "b.Gtp"}));
    EXPECT_EQ(AllEntries(folder.Path("*")), (std::set<std::string>{"A.GTP", "b.Gtp", "c.txt", ".hidden.gtp", "sub"}));
    EXPECT_EQ(Files::FindEntry(folder.Path("SUB")), "sub");
    // Found, but there is no short name; the search stays open.
    EXPECT_EQ(Files::FindEntry(folder.Path("*.gtp"), true), "");
    EXPECT_FALSE(Files::FindEntry("").empty());
}

TEST_F(FilesTest, TheSearchReportsEachEntrysAttributesAndSize) {
    for (const auto& [name, attributes, size] :
         {std::tuple("A.GTP", 0u, 5u), std::tuple("sub", 16u, 0u), std::tuple(".hidden.gtp", 2u, 1u)}) {
        DirectorySearch::FindData data;
        FileHandle search;
        search.SetHandle(DirectorySearch::FindFirstFile(folder.Path(name).c_str(), &data));
        ASSERT_GE(search.Handle(), DirectorySearch::FirstHandle) << name;
        EXPECT_EQ(std::tie(data.dwFileAttributes, data.nFileSizeLow), std::tie(attributes, size)) << name;
    }
}

TEST_F(FilesTest, ReadOnlyEntriesCarryTheirBit) {
    if (::geteuid() == 0)
        GTEST_SKIP() << "root may write every file; run as an unprivileged user";
    ASSERT_EQ(::chmod(folder.Path("c.txt").c_str(), 0444), 0);
    DirectorySearch::FindData data;
    FileHandle search;
    search.SetHandle(DirectorySearch::FindFirstFile(folder.Path("c.txt").c_str(), &data));
    EXPECT_EQ(data.dwFileAttributes, DirectorySearch::AttributeReadOnly);
}

TEST_F(FilesTest, ASearchThatFindsNothingRecordsNothingAndClosesItself) {
    const std::string empty = folder.MakeFolder("empty");
    Files::PathExists(empty);  // ends any search an earlier test left open
    const int descriptors = OpenDescriptorCount();
    Errors::RecordError(777, "marker", "untouched");
    for (const std::string& path : {std::string(), empty + "/*", empty + "/.*"}) EXPECT_EQ(Files::FindEntry(path), "");
    EXPECT_EQ(OpenDescriptorCount(), descriptors);
    ExpectRecord(777, "marker", "untouched");
}

TEST_F(FilesTest, AHolderClosesOnlyTheSearchItHoldsAndNeverAFileNumber) {
    const int descriptors = OpenDescriptorCount();
    DirectorySearch::FindData data;
    const int32_t search = DirectorySearch::FindFirstFile(folder.Path("*").c_str(), &data);
    ASSERT_GE(search, DirectorySearch::FirstHandle);
    {
        FileHandle holder;
        EXPECT_EQ(holder.Handle(), 0);
        holder.SetHandle(search);
        holder.SetHandle(-1);  // closes the search it held
        EXPECT_EQ(holder.Handle(), -1);
        holder.SetHandle(DirectorySearch::FindFirstFile(folder.Path("*").c_str(), &data));
        EXPECT_EQ(OpenDescriptorCount(), descriptors + 1);
    }
    EXPECT_FALSE(DirectorySearch::FindNextFile(search, &data));
    EXPECT_EQ(OpenDescriptorCount(), descriptors);

    // A file number in a holder leaves the search of Files going.
    const std::string first = Files::FindEntry(folder.Path("*"));
    {
        FileHandle runFile;
        runFile.SetHandle(FileTable::FreeFile());
        FileTable::Open(folder.Path("c.txt"), FileTable::OpenMode::Read, runFile.Handle());
        FileTable::Close(runFile.Handle());
        runFile.SetHandle(FileTable::FreeFile());
    }
    std::set<std::string> rest = AllEntries("");
    EXPECT_EQ(rest.size(), 4u);
    EXPECT_EQ(rest.count(first), 0u);
}

TEST_F(FilesTest, ListFolderSortsTheVisibleFilesOrFoldersThatMatchWithoutRegardToCase) {
    folder.Write("C.gtp", "");
    folder.Write(" blank .gtp", "");
    folder.MakeFolder("Runs.GTP");
    folder.MakeFolder(".cache");
    Files::FindEntry(folder.Path("*"));
    const int descriptors = OpenDescriptorCount();
    using Names = std::vector<std::string>;
    EXPECT_EQ(Files::ListFolder(folder.Path(), "*.gtp", Files::EntryKind::Files),
              (Names{" blank .gtp", "A.GTP", "b.Gtp", "C.gtp"}));
    EXPECT_EQ(Files::ListFolder(folder.Path(), "*", Files::EntryKind::Folders), (Names{"Runs.GTP", "sub"}));
    EXPECT_EQ(Files::ListFolder(folder.Path("sub"), "*.gtp", Files::EntryKind::Files), Names{});
    EXPECT_EQ(ErrorNumberOf([&] { Files::ListFolder(folder.Path("nowhere"), "*", Files::EntryKind::Files); }), 76);
    EXPECT_EQ(OpenDescriptorCount(), descriptors);
    EXPECT_FALSE(Files::FindEntry("").empty()) << "the search of FindEntry goes on";
}

TEST(FilesParentFolder, TakesTheTrimmedTextBeforeTheLastSeparator) {
    const std::pair<const char*, const char*> cases[] = {
        {"/runs/a.gtp", "/runs"}, {"/runs", ""},         {"/", ""},  {" /runs / a.gtp ", "/runs"},
        {"a.gtp", ""},            {"/a/b/c/", "/a/b/c"}, {"   ", ""}, {"/runs/2024/x", "/runs/2024"}};
    for (const auto& [path, parent] : cases)
        EXPECT_EQ(Files::ParentFolder(path), parent) << '"' << path << '"';
}

TEST_F(FilesTest, RemoveFileDeletesOneFileAndRecordsWhyNot) {
    for (const auto& [path, number, description] :
         {std::tuple(std::string("   "), -1, "No File Specified"), std::tuple(folder.Path("missing.gtp"), 2,
          "File Not Found"), std::tuple(folder.Path("nowhere/a.gtp"), 3, "Path Not Found"),
          std::tuple(folder.Path("sub"), 5, "Access Denied")}) {
        EXPECT_FALSE(Files::RemoveFile(path));
        ExpectRecord(number, description);
    }
    EXPECT_TRUE(folder.Has("sub"));
    EXPECT_TRUE(Files::RemoveFile(folder.Path("A.GTP")));
    EXPECT_FALSE(folder.Has("A.GTP"));
    EXPECT_TRUE(folder.Has("b.Gtp"));
}

TEST_F(FilesTest, RemoveFileInAFolderThatMayNotBeWrittenIsDenied) {
    if (::geteuid() == 0)
        GTEST_SKIP() << "root may delete anywhere; run as an unprivileged user";
    folder.Write("sub/kept.gtp", "x");
    ASSERT_EQ(::chmod(folder.Path("sub").c_str(), 0555), 0);
    EXPECT_FALSE(Files::RemoveFile(folder.Path("sub/kept.gtp")));
    ExpectRecord(5, "Access Denied");
    ::chmod(folder.Path("sub").c_str(), 0755);
    EXPECT_TRUE(folder.Has("sub/kept.gtp"));
}

TEST_F(FilesTest, RenameFileNeverReplacesAnExistingFileAndRecordsTheOldPath) {
    for (const std::string& to : {folder.Path("c.txt"), folder.Path("A.GTP")}) {
        EXPECT_FALSE(Files::RenameFile(folder.Path("A.GTP"), to));
        ExpectRecord(58, "File already exists", folder.Path("A.GTP"));
    }
    EXPECT_EQ(folder.Read("A.GTP"), "12345");
    EXPECT_EQ(folder.Read("c.txt"), "text");
    EXPECT_FALSE(Files::RenameFile(folder.Path("none.gtp"), folder.Path("new.gtp")));
    ExpectRecord(53, "File not found", folder.Path("none.gtp"));
    EXPECT_FALSE(folder.Has("new.gtp"));
    EXPECT_FALSE(Files::RenameFile(folder.Path("A.GTP"), folder.Path("nowhere/a.gtp")));
    EXPECT_EQ(Errors::LastError().Number(), 76);
    EXPECT_TRUE(Files::RenameFile(folder.Path("A.GTP"), folder.Path("a.gtp")));
    EXPECT_FALSE(folder.Has("A.GTP"));
    EXPECT_EQ(folder.Read("a.gtp"), "12345");
}

TEST_F(FilesTest, RenameFileInAFolderThatMayNotBeWrittenIsDenied) {
    if (::geteuid() == 0)
        GTEST_SKIP() << "root may rename anywhere; run as an unprivileged user";
    folder.Write("sub/a.gtp", "x");
    ASSERT_EQ(::chmod(folder.Path("sub").c_str(), 0555), 0);
    EXPECT_FALSE(Files::RenameFile(folder.Path("sub/a.gtp"), folder.Path("sub/b.gtp")));
    ExpectRecord(70, "Permission denied", folder.Path("sub/a.gtp"));
    ::chmod(folder.Path("sub").c_str(), 0755);
}
