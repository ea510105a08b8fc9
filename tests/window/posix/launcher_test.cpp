// The window with the Linux desktop's real opener, whose launcher (xdg-open,
// faked on the PATH) gives its verdict only after the click has returned.
#include "qt_platform/QtDocumentOpener.h"
#include "testkit/FakeLauncher.h"
#include "window/WindowFixture.h"

namespace {

using LauncherTest = WindowTest;

TEST_F(LauncherTest, ALauncherThatFailsAfterItStartedIsReportedWithoutHoldingTheWindow) {
    FakeLauncher launcher;
    QtDocumentOpener desktop;
    window = std::make_unique<frmMain>(
        WindowServices{dialogs, settings, screen, desktop, events, AppInfo::ForProgramFolder(folder.Path())});
    window->show();
    for (const int code : {0, 1}) {
        SCOPED_TRACE(code);
        launcher.ExitWith(code);
        const auto before = launcher.Launches();
        QTest::mouseClick(Label("lblAbout"), Qt::LeftButton, {}, QPoint(2, 2));
        // The click returns at once; the verdict comes while the window runs.
        EXPECT_TRUE(Messages().empty());
        EXPECT_TRUE(QTest::qWaitFor([&] { return launcher.Launches() > before; }, 5000));
        QTest::qWait(200);
    }
    EXPECT_EQ(launcher.Log(), "https://tachlet.example.org/\nhttps://tachlet.example.org/\n");
    EXPECT_TRUE(QTest::qWaitFor([this] { return !Messages().empty(); }, 5000));
    EXPECT_EQ(Messages(), std::vector<std::string>{"Shell [https://tachlet.example.org/] failed!"});
}

}  // namespace
