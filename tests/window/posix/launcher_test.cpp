// The window with the Linux desktop's real opener, whose launcher (xdg-open,
// faked on the PATH) answers after the click returned; and "Open w/PASS" where
// this program is the run files' default.
#include <QGuiApplication>
#include <QScopeGuard>

#include <filesystem>
#include <fstream>

#include "qt_platform/QtDocumentOpener.h"
#include "testkit/FakeLauncher.h"
#include "window/WindowFixture.h"

namespace {

using LauncherTest = WindowTest;

TEST_F(LauncherTest, ALauncherThatFailsAfterItStartedIsReportedWithoutHoldingTheWindow) {
    FakeLauncher launcher;
    QtDocumentOpener desktop;
    Open({.documents = &desktop});
    launcher.ExitWith(1);
    QTest::mouseClick(Label("lblAbout"), Qt::LeftButton, {}, QPoint(2, 2));
    // The click returns at once; the verdict comes while the window runs.
    EXPECT_TRUE(Messages().empty());
    EXPECT_TRUE(QTest::qWaitFor([this] { return !Messages().empty(); }, 5000));
    EXPECT_EQ(launcher.Log(), "https://tachlet.example.org/\n");
    EXPECT_EQ(Messages(), Texts{"Shell [https://tachlet.example.org/] failed!"});
}

TEST_F(LauncherTest, OpenWithPassNeverHandsTheFileBackToThisProgram) {
    // A desktop of its own: the run-file type, this program as its default,
    // and a launcher that would hand the file back to it.
    const std::pair<const char*, const char*> homes[] = {{"XDG_DATA_HOME", "data"}, {"XDG_CONFIG_HOME", "config"},
                                                         {"XDG_DATA_DIRS", "system"}, {"XDG_CONFIG_DIRS", "etc"}};
    for (const auto& [variable, name] : homes) qputenv(variable, folder.MakeFolder(name).c_str());
    const auto restore = qScopeGuard([&homes] {
        for (const auto& [variable, name] : homes) qunsetenv(variable);
        QGuiApplication::setDesktopFileName(QString());
    });
    QGuiApplication::setDesktopFileName("org.example.tachlet.Tachlet");
    std::filesystem::create_directories(folder.Path("data/mime/packages"));
    std::filesystem::copy_file(TACHLET_MIME_PACKAGE, folder.Path("data/mime/packages/tachlet.xml"));
    folder.MakeFolder("data/applications");
    const auto application = [this](const std::string& id, const std::string& exec) {
        folder.Write("data/applications/" + id, "[Desktop Entry]\nType=Application\nName=" + id + "\nExec=" + exec +
                                                    "\nMimeType=application/x-tachlet-gtp;\nNoDisplay=true\n");
    };
    application("org.example.tachlet.Tachlet.desktop", "tachlet %f");
    folder.Write("config/mimeapps.list",
                 "[Default Applications]\napplication/x-tachlet-gtp=org.example.tachlet.Tachlet.desktop;\n");
    // PASS as Wine registers it: through a program, a name with a blank.
    folder.MakeFolder("wine prefix");
    const std::string pass = folder.Path("wine prefix/pass.sh");
    std::ofstream(pass) << "#!/bin/sh\nprintf '%s\\n' \"$@\" > \"$0.log\"\n";
    std::filesystem::permissions(pass, std::filesystem::perms::owner_all);

    FakeLauncher launcher;
    QtDocumentOpener desktop;
    Open({.documents = &desktop});
    LoadFile("RUN.GTP", RunFileBuilder().Build());
    // Alone: the shell's failure, and nothing started.
    Trigger("mnuFilePopupOpen");
    EXPECT_EQ(Messages(), Texts{ShellFailed(folder.Path("RUN.GTP"))});
    // With PASS registered too, PASS gets it, the launcher never.
    application("wine-extension-gtp.desktop", "env WINEPREFIX=\"" + folder.Path("wine prefix") + "\" \"" + pass +
                                                  "\" /ProgIDOpen PASS.gtp %f");
    Trigger("mnuFilePopupOpen");
    EXPECT_TRUE(QTest::qWaitFor([&] { return folder.Has("wine prefix/pass.sh.log"); }, 5000));
    EXPECT_EQ(folder.Read("wine prefix/pass.sh.log"), "/ProgIDOpen\nPASS.gtp\n" + folder.Path("RUN.GTP") + "\n");
    EXPECT_EQ(Messages().size(), 1u);
    QTest::qWait(100);
    EXPECT_EQ(launcher.Launches(), 0);
}

}  // namespace
