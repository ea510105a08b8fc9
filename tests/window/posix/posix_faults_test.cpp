// Faults that only Linux has, caused for real: permission bits that refuse
// (root ignores them, so a second ctest entry runs these as the user nobody),
// and entries that are neither files nor folders.
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>

#include "window/WindowFixture.h"

namespace {

using PosixFaultTest = WindowTest;

class PermissionFaultTest : public WindowTest {
protected:
    void SetUp() override {
        if (::geteuid() == 0) GTEST_SKIP() << "root ignores permission bits; the unprivileged ctest entry runs this";
        WindowTest::SetUp();
    }
};

TEST_F(PosixFaultTest, OnlyRegularFilesAreListedWhateverTheirNames) {
    Write("RUN.GTP", RunFileBuilder().Build());
    Write("linked.bin", RunFileBuilder().Build());
    folder.MakeFolder("x.gtp");
    folder.MakeFolder("Y.GTP");
    std::filesystem::create_directory_symlink(folder.Path("x.gtp"), folder.Path("to folder.gtp"));
    std::filesystem::create_symlink(folder.Path("linked.bin"), folder.Path("link.Gtp"));
    std::filesystem::create_symlink(folder.Path("nowhere"), folder.Path("broken.gtp"));
    ASSERT_EQ(::mkfifo(folder.Path("pipe.gtp").c_str(), 0600), 0);
    Open();
    EXPECT_EQ(FileRows(), (QStringList{"link.Gtp", "RUN.GTP"}));
    ClickFile("link.Gtp");
    EXPECT_TRUE(Messages().empty());
    EXPECT_EQ(LabelText("lblRunName"), "Run 1");
}

// A save refused by the system is FaultTest's (a lock); read-only files
// are refused by the core's locked-file test run as nobody.
TEST_F(PermissionFaultTest, AFolderThatCanNoLongerBeReadShowsNoFilesOnRefresh) {
    Write("RUN.GTP", RunFileBuilder().Build());
    Open();
    ASSERT_EQ(Files()->count(), 1);
    ASSERT_EQ(::chmod(folder.Path().c_str(), 0300), 0);
    QTest::keyClick(Files(), Qt::Key_F5);
    EXPECT_EQ(Files()->count(), 0);
    ASSERT_EQ(::chmod(folder.Path().c_str(), 0700), 0);
    EXPECT_TRUE(Messages().empty());
}

}  // namespace
