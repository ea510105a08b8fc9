#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <memory>
#include <set>
#include <string>
#include <tuple>
#include <vector>

#include "platform/DirectorySearch.h"
#include "support/Errors.h"
#include "support/FileHandle.h"
#include "support/FileTable.h"
#include "support/Files.h"
#include "support/SearchTable.h"
#include "testkit/ErrorNumberOf.h"
#include "testkit/SystemTestkit.h"
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

// The attribute bits every system reports alike; Windows adds others, such as
// the archive bit of a new file.
constexpr uint32_t CommonAttributes =
    DirectorySearch::AttributeReadOnly | DirectorySearch::AttributeHidden | DirectorySearch::AttributeDirectory;

// A folder of run files in mixed case, a text file, a hidden file and a folder.
class FilesTest : public ::testing::Test {
protected:
    void SetUp() override {
        folder.Write("A.GTP", "12345");
        folder.Write("b.Gtp", "");
        folder.Write("c.txt", "text");
        MakeHidden(folder.Write(".hidden.gtp", "h"));
        folder.MakeFolder("sub");
        // A process's first search makes the handles that the locks around
        // searches need, and its first failure those of the exception
        // machinery, and keeps them (on Windows).
        Files::PathExists(folder.Path("A.GTP"));
        Files::PathExists(folder.Path("missing"));
    }
    // Takes the write permission from everyone, or gives it back.
    static void SetWritable(const std::string& path, bool writable) {
        using std::filesystem::perms, std::filesystem::perm_options;
        std::filesystem::permissions(FsPath(path), perms::owner_write | perms::group_write | perms::others_write,
                                     writable ? perm_options::add : perm_options::remove);
    }
    TempFolder folder;
};

}  // namespace

TEST_F(FilesTest, PathExistsLooksForTheLastComponentAndLeavesASearchInProgressGoing) {
    const int descriptors = OpenHandleCount();
    EXPECT_TRUE(Files::PathExists(folder.Path()));
    EXPECT_TRUE(Files::PathExists(folder.Path("a.gtp")));  // any case
    for (const std::string& path : {folder.Path() + Files::PathSeparator, std::string(1, Files::PathSeparator),
                                    std::string()}) {
        EXPECT_FALSE(Files::PathExists(path)) << path;
    }
    EXPECT_EQ(OpenHandleCount(), descriptors);

    // A search in progress goes on past every kind of answer, an empty path
    // among them, and hands out each of its entries once.
    const std::string first = Files::FindEntry(folder.Path("*"));
    ASSERT_FALSE(first.empty());
    EXPECT_TRUE(Files::PathExists(folder.Path("sub")));
    EXPECT_FALSE(Files::PathExists(folder.Path("missing.gtp")));
    ExpectRecord(2, "File Not Found");
    EXPECT_FALSE(Files::PathExists(folder.Path("nowhere/a.gtp")));
    ExpectRecord(3, "Path Not Found");
    EXPECT_FALSE(Files::PathExists(""));
    std::set<std::string> rest = AllEntries("");
    EXPECT_EQ(rest.size(), 4u);
    EXPECT_EQ(rest.count(first), 0u);
    EXPECT_EQ(OpenHandleCount(), descriptors);
}

TEST_F(FilesTest, FindEntryMatchesWithoutRegardToCase) {
    EXPECT_EQ(AllEntries(folder.Path("*.gtp")), (std::set<std::string>{"A.GTP", "b.Gtp", ".hidden.gtp"}));
    EXPECT_EQ(AllEntries(folder.Path("?.GTP")), (std::set<std::string>{"A.GTP", "b.Gtp"}));
    EXPECT_EQ(AllEntries(folder.Path("*")), (std::set<std::string>{"A.GTP", "b.Gtp", "c.txt", ".hidden.gtp", "sub"}));
    EXPECT_EQ(Files::FindEntry(folder.Path("SUB")), "sub");
    // Found, but there is no short name; the search stays open.
    EXPECT_EQ(Files::FindEntry(folder.Path("?.GTP"), true), "");
    EXPECT_FALSE(Files::FindEntry("").empty());
}

// A file nobody may write carries the read-only bit (root may write every
// file, so as root it cannot be told).
TEST_F(FilesTest, TheSearchReportsEachEntrysAttributesAndSize) {
    const bool readOnly = !MayWriteEverything();
    if (readOnly) SetWritable(folder.Path("c.txt"), false);
    for (const auto& [name, attributes, size] :
         {std::tuple("A.GTP", 0u, 5u), std::tuple("sub", 16u, 0u), std::tuple(".hidden.gtp", 2u, 1u),
          std::tuple("c.txt", readOnly ? 1u : 0u, 4u)}) {
        DirectorySearch::FindData data;
        const DirectorySearch::Search search(folder.Path(name), data);
        EXPECT_EQ(std::make_tuple(data.dwFileAttributes & CommonAttributes, data.nFileSizeLow),
                  std::make_tuple(attributes, size)) << name;
    }
    SetWritable(folder.Path("c.txt"), true);
}

TEST_F(FilesTest, ASearchThatFindsNothingRecordsNothingAndClosesItself) {
    const std::string empty = folder.MakeFolder("empty");
    Files::FindEntry(empty + Files::PathSeparator + "*");  // ends any search an earlier test left open
    const int descriptors = OpenHandleCount();
    Errors::RecordError(777, "marker", "untouched");
    for (const std::string& path : {std::string(), empty + Files::PathSeparator + "*", empty + Files::PathSeparator + ".*"})
        EXPECT_EQ(Files::FindEntry(path), "");
    EXPECT_EQ(OpenHandleCount(), descriptors);
    ExpectRecord(777, "marker", "untouched");
}

TEST_F(FilesTest, AHolderClosesOnlyTheSearchItHoldsAndNeverAFileNumber) {
    const int descriptors = OpenHandleCount();
    DirectorySearch::FindData data;
    const auto start = [&] { return SearchTable::Keep(std::make_unique<DirectorySearch::Search>(folder.Path("*"), data)); };
    const int32_t search = start();
    ASSERT_GE(search, SearchTable::FirstNumber);
    {
        FileHandle holder;
        EXPECT_EQ(holder.Handle(), 0);
        holder.SetHandle(search);
        holder.SetHandle(-1);  // closes the search it held
        EXPECT_EQ(holder.Handle(), -1);
        holder.SetHandle(start());
        EXPECT_EQ(OpenHandleCount(), descriptors + 1);
    }
    EXPECT_EQ(SearchTable::Find(search), nullptr);
    EXPECT_EQ(OpenHandleCount(), descriptors);

    // A file number in a holder leaves the search of Files going.
    const std::string first = Files::FindEntry(folder.Path("*"));
    {
        FileHandle runFile;
        runFile.SetHandle(FileTable::FreeFile());
        FileTable::Open(folder.Path("c.txt"), LockedFile::OpenMode::Read, runFile.Handle());
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
    MakeHidden(folder.MakeFolder(".cache"));
    Files::FindEntry(folder.Path("*"));
    const int descriptors = OpenHandleCount();
    using Names = std::vector<std::string>;
    EXPECT_EQ(Files::ListFolder(folder.Path(), "*.gtp", Files::EntryKind::Files),
              (Names{" blank .gtp", "A.GTP", "b.Gtp", "C.gtp"}));
    EXPECT_EQ(Files::ListFolder(folder.Path(), "*", Files::EntryKind::Folders), (Names{"Runs.GTP", "sub"}));
    EXPECT_EQ(Files::ListFolder(folder.Path("sub"), "*.gtp", Files::EntryKind::Files), Names{});
    EXPECT_EQ(ErrorNumberOf([&] { Files::ListFolder(folder.Path("nowhere"), "*", Files::EntryKind::Files); }), 76);
    EXPECT_EQ(OpenHandleCount(), descriptors);
    EXPECT_FALSE(Files::FindEntry("").empty()) << "the search of FindEntry goes on";
}

TEST(FilesParentFolder, TakesTheTrimmedTextBeforeTheLastSeparator) {
    const std::pair<const char*, const char*> cases[] = {
        {"/runs/a.gtp", "/runs"}, {"/runs", ""},         {"/", ""},  {" /runs / a.gtp ", "/runs"},
        {"a.gtp", ""},            {"/a/b/c/", "/a/b/c"}, {"   ", ""}, {"/runs/2024/x", "/runs/2024"}};
    // Written with "/" here, tried with the system's separator.
    const auto local = [](std::string text) {
        std::replace(text.begin(), text.end(), '/', Files::PathSeparator);
        return text;
    };
    for (const auto& [path, parent] : cases)
        EXPECT_EQ(Files::ParentFolder(local(path)), local(parent)) << '"' << local(path) << '"';
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
    EXPECT_EQ(Files::FindEntry(folder.Path("A.GTP")), "a.gtp");  // as the folder spells it
    EXPECT_EQ(folder.Read("a.gtp"), "12345");
}

TEST_F(FilesTest, AFolderThatMayNotBeWrittenDeniesRemoveAndRename) {
    if (MayWriteEverything() || !FolderPermissionsGuardEntries())
        GTEST_SKIP() << "here a folder's permissions do not keep its files from being deleted or renamed";
    folder.Write("sub/a.gtp", "x");
    SetWritable(folder.Path("sub"), false);
    EXPECT_FALSE(Files::RemoveFile(folder.Path("sub/a.gtp")));
    ExpectRecord(5, "Access Denied");
    EXPECT_FALSE(Files::RenameFile(folder.Path("sub/a.gtp"), folder.Path("sub/b.gtp")));
    ExpectRecord(70, "Permission denied", folder.Path("sub/a.gtp"));
    SetWritable(folder.Path("sub"), true);
    EXPECT_TRUE(folder.Has("sub/a.gtp"));
}
