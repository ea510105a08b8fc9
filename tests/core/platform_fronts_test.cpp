// The platform fronts that the file browser and the file helpers stand on: the
// failures they report, the drive list, the folder listing, names outside
// ASCII on their way to the system and back, and the pure pieces below them.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "base/NamePattern.h"
#include "base/WideText.h"
#include "platform/DriveList.h"
#include "platform/FileEntries.h"
#include "platform/FolderListing.h"
#include "platform/SystemFile.h"
#include "platform/WindowsCode.h"
#include "run_file/RunFileName.h"
#include "support/Files.h"
#include "support/LockedFile.h"
#include "support/Paths.h"
#include "testkit/ErrorNumberOf.h"
#include "testkit/SystemTestkit.h"
#include "testkit/TempFolder.h"

using FolderListing::Kind;

// Every front reports a failure as the runtime number of its meaning with the
// system's own code beside it, from which the Windows code is taken (those of
// the search and the delete are checked where the file helpers record them).
TEST(PlatformFronts, AFailureCarriesItsNumberAndTheSystemsOwnCode) {
    TempFolder folder;
    const auto missing = folder.Path("gone.gtp"), nowhere = folder.Path("nowhere/a.gtp");
    const struct {
        const char* what;
        std::function<void()> call;
        int32_t number, windowsCode;
    } cases[] = {
        {"open", [&] { SystemFile::OpenLocked(missing, SystemFile::OpenMode::Read); }, 53, 2},
        {"open in a missing folder", [&] { SystemFile::OpenLocked(nowhere, SystemFile::OpenMode::Read); }, 76, 3},
        {"rename", [&] { FileEntries::Rename(missing, folder.Path("new.gtp")); }, 53, 2},
        {"listing", [&] { FolderListing::Read(folder.Path("nowhere")); }, 76, 3},
    };
    for (const auto& c : cases) {
        try {
            c.call();
            ADD_FAILURE() << c.what << " did not fail";
        } catch (const RuntimeError& failure) {
            EXPECT_EQ(failure.Number(), c.number) << c.what;
            EXPECT_NE(failure.SystemCode(), 0) << c.what;
            EXPECT_EQ(WindowsCode::Of(failure), c.windowsCode) << c.what;
        }
    }
}

TEST(NamePattern, MatchesStarsAndSingleBytesWithoutRegardToCase) {
    const struct {
        const char *pattern, *name;
        bool matches;
    } cases[] = {
        {"*.gtp", "RUN.GTP", true},   {"*.gtp", "run.gtpx", false}, {"?.GTP", "a.gtp", true},
        {"?.GTP", "ab.gtp", false},   {"*.*", "no-dot", true},      {"a*b*c", "axxbyyc", true},
        {"a*b*c", "axxbyy", false},   {"*", "", true},              {"", "x", false},
    };
    for (const auto& c : cases) EXPECT_EQ(NamePattern::Matches(c.pattern, c.name), c.matches) << c.pattern << " " << c.name;
}

TEST(WideText, ConvertsWithoutLossAndRefusesBytesThatAreNoText) {
    const std::u16string units = u"Z\u00fcrich \u20ac\U0001D11E";
    const std::string text = "Z\xC3\xBCrich \xE2\x82\xAC\xF0\x9D\x84\x9E";
    EXPECT_EQ(WideText::ToUtf8(units), text);
    EXPECT_EQ(WideText::FromUtf8(text), units);
    // A lone surrogate, which a Windows name may hold, comes back as it was.
    const std::u16string lone{u'a', char16_t(0xD800), u'b', char16_t(0xDC01)};
    EXPECT_EQ(WideText::FromUtf8(WideText::ToUtf8(lone)), lone);
    for (const std::string bad : {"\xFF", "\xC0\x80", "\xE2\x82", "\xED\xA0\x80\xED\xB0\x80", "\xF4\x90\x80\x80"})
        EXPECT_FALSE(WideText::FromUtf8(bad)) << bad;
}

TEST(DriveList, OffersFoldersTheListingCanReadAndPathsKeepTheirRoot) {
    const std::vector<std::string> roots = DriveList::Roots();
    ASSERT_FALSE(roots.empty());
    for (const std::string& root : roots) EXPECT_EQ(ErrorNumberOf([&] { FolderListing::Read(root); }), 0) << root;
    // "/" or "C:\" keeps its separator; below it "." and ".." go, and so do
    // separators at the end, "/" taken for the system's own.
    const std::string& top = roots.front();
    EXPECT_EQ(top.back(), Files::PathSeparator);
    EXPECT_EQ(Paths::Clean(top), top);
    EXPECT_EQ(Paths::RootLength(top + "runs"), top.size());
    EXPECT_EQ(Paths::Clean(top + "runs/old/.././new/"), Paths::Join(Paths::Join(top, "runs"), "new"));
}

TEST(FolderListing, GivesEachEntrysNameKindAndHiddenMark) {
    TempFolder folder;
    folder.Write("A.GTP", "run");
    folder.Write("\xC3\x9C" "bung \xE2\x82\xAC.gtp", "run");  // "Übung €.gtp"
    MakeHidden(folder.Write(".hidden.gtp", "h"));
    folder.MakeFolder("sub");
    std::error_code noLinks;
    std::filesystem::create_symlink(FsPath(folder.Path("A.GTP")), FsPath(folder.Path("link.gtp")), noLinks);
    if (!noLinks) std::filesystem::create_symlink(FsPath(folder.Path("gone")), FsPath(folder.Path("broken.gtp")));

    std::map<std::string, std::pair<Kind, bool>> listed;
    for (const auto& entry : FolderListing::Read(folder.Path())) listed[entry.name] = {entry.kind, entry.hidden};
    std::map<std::string, std::pair<Kind, bool>> expected{{"A.GTP", {Kind::File, false}},
                                                          {"\xC3\x9C" "bung \xE2\x82\xAC.gtp", {Kind::File, false}},
                                                          {".hidden.gtp", {Kind::File, true}},
                                                          {"sub", {Kind::Folder, false}}};
    if (!noLinks) expected.insert({{"link.gtp", {Kind::File, false}}, {"broken.gtp", {Kind::Other, false}}});
    EXPECT_EQ(listed, expected);
    EXPECT_TRUE(FolderListing::Read(folder.Path("sub")).empty());

    for (const std::string& unreadable : {folder.Path("missing"), folder.Path("A.GTP"), std::string()})
        EXPECT_EQ(ErrorNumberOf([&] { FolderListing::Read(unreadable); }), 76) << unreadable;
}

TEST(FileHelpers, NamesOutsideAsciiReachTheSystemAndComeBackUnchanged) {
    TempFolder folder;
    const std::string name = "\xC3\x9C" "bung \xE2\x82\xAC.gtp";  // "Übung €.gtp"
    folder.Write(name, "run");
    EXPECT_EQ(Files::FindEntry(folder.Path("*bung*")), name);
    EXPECT_EQ(LockedFile(folder.Path(name), LockedFile::OpenMode::Read).Stamp().size, 3u);
    const std::string renamed = "\xC3\x84rger.gtp";  // "Ärger.gtp"
    ASSERT_TRUE(Files::RenameFile(folder.Path(name), folder.Path(renamed)));
    EXPECT_EQ(folder.Read(renamed), "run");
    EXPECT_TRUE(Files::RemoveFile(folder.Path(renamed)));
    EXPECT_FALSE(Files::PathExists(folder.Path(renamed)));
    // Bytes that are no UTF-8 name no file on Windows; on Linux they are
    // simply not there.
    EXPECT_NE(ErrorNumberOf([&] { LockedFile(folder.Path("\xFF.gtp"), LockedFile::OpenMode::Read); }), 0);
}

// A name the rename check lets through must be one the system takes: the
// characters Windows forbids fail there with a bare error number. (Whether the
// check refuses more than the system does is not asked: Wine, unlike Windows,
// takes ":".)
TEST(FileHelpers, TheRenameCheckLetsThroughOnlyNamesTheSystemTakes) {
    TempFolder folder;
    const std::string original = folder.Write("RUN.GTP", "run");
    const auto listed = [&folder](const std::string& name) {
        for (const auto& entry : FolderListing::Read(folder.Path()))
            if (entry.name == name) return true;
        return false;
    };
    for (const char c : std::string_view("\\/:*?\"<>|")) {
        const std::string name = std::string("a") + c + "b.gtp";
        if (!Stuff::CheckNewName(name).refusal.empty()) continue;
        const bool renamed = Files::RenameFile(original, folder.Path(name));
        EXPECT_TRUE(renamed && listed(name)) << name;
        if (renamed) {
            ASSERT_TRUE(Files::RenameFile(folder.Path(name), original)) << name;
        }
    }
    EXPECT_NE(Stuff::CheckNewName(std::string("a") + Files::PathSeparator + "b").refusal, "");
}
