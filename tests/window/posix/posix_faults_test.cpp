// Faults that only Linux has: permission bits that refuse (root ignores them,
// so a second ctest entry runs these as the user nobody), and entries that
// are neither files nor folders. Each is caused for real and refused with its
// message, and the files stay as they were.
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

TEST_F(PermissionFaultTest, RefusedPermissionsAreReportedAndChangeNothing) {
    // A file that may only be read loads, and its save is refused.
    Open();
    const Bytes file = RunFileBuilder().Records(2, 8).Notes("n").Build();
    LoadFile("READONLY.GTP", file);
    ASSERT_EQ(::chmod(folder.Path("READONLY.GTP").c_str(), 0444), 0);
    ChangeWeight();
    Click("cmdSave");
    EXPECT_EQ(Messages(), (Texts{Failure("saving", 70, "Permission denied", "READONLY.GTP"), SaveFailed}));
    EXPECT_EQ(Read("READONLY.GTP"), file);

    // The folder shown becomes unreadable: a refresh shows it empty.
    ASSERT_EQ(::chmod(folder.Path().c_str(), 0300), 0);
    QTest::keyClick(Files(), Qt::Key_F5);
    EXPECT_EQ(Files()->count(), 0);
    ASSERT_EQ(::chmod(folder.Path().c_str(), 0700), 0);
    EXPECT_EQ(Messages().size(), 2u);
}

}  // namespace
