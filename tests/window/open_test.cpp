// A run file named from outside the window, as the command line names it: it
// loads as a click loads it; paths that name no run file get the load's messages.
#include "main_window/FileBrowserPanel.h"
#include "window/WindowFixture.h"

namespace {

class OpenTest : public WindowTest {
protected:
    QByteArray FolderShown() const { return Find<DirListBox>("dirGTP")->PathBytes(); }
};

TEST_F(OpenTest, AFileInAnotherFolderLoadsAfterTheUsualStartAsAClickLoadsItAndIsSelectedByItsBytes) {
    folder.MakeFolder("remembered");
    folder.MakeFolder("runs");
    Write("runs/A.GTP", RunFileBuilder().Build());
    // Relative to the folder the program started in; a name only the system's
    // own spelling reaches; one the pattern leaves out, on a row of its own
    // until the list is read again.
    const std::string runs = folder.Path("runs") + Files::PathSeparator;
    const std::pair<std::string, std::string> opened[] = {
        {"remembered/../runs/B.GTP", "B.GTP"},
        {runs + ForeignName + ".gtp", ForeignName + ".gtp"},
        {runs + "copy.gtp.bak", "copy.gtp.bak"}};
    for (const auto& [path, name] : opened) {
        SCOPED_TRACE(name);
        Write("runs/" + name, RunFileBuilder().RunName(name.substr(name.size() - 4)).Build());
        settings.Set("Options", "LastDirectory", folder.Path("remembered"));
        Reopen();
        ASSERT_EQ(FolderShown().toStdString(), folder.Path("remembered"));
        window->OpenFile(QByteArray::fromStdString(path));
        EXPECT_EQ(FolderShown().toStdString(), folder.Path("runs"));
        EXPECT_EQ(Files()->PathBytes(), FolderShown());
        EXPECT_EQ(Find<FileBrowserPanel>("framePASSFile")->SelectedFilePath(), runs + name);
        EXPECT_EQ(Files()->FileName(), QString::fromUtf8(name));
        EXPECT_EQ(LabelText("lblRunName"), QString::fromLatin1(name.substr(name.size() - 4)));
        EXPECT_EQ(window->windowTitle(), Title(name + "[*]"));
        EXPECT_TRUE(CommandsEnabled());
        EXPECT_EQ(State(), ViewState);
        EXPECT_TRUE(Messages().empty());
        // The open file's folder is the one remembered now.
        window->close();
        EXPECT_EQ(settings.GetSetting("Options", "LastDirectory"), folder.Path("runs"));
    }
    Files()->Refresh();
    EXPECT_EQ(FileRows().size(), 3);
    EXPECT_FALSE(FileRows().contains("copy.gtp.bak"));
    EXPECT_TRUE(Files()->FileName().isEmpty());
}

TEST_F(OpenTest, PathsThatNameNoRunFileGetTheLoadsMessagesAndLeaveTheWindowAsItStarted) {
    folder.MakeFolder("runs");
    folder.MakeFolder("runs/folder.gtp");
    Write("runs/A.GTP", RunFileBuilder().Build());
    const struct {
        std::string path;
        std::vector<std::string> messages;
        MessageIcon icon;
        std::string folderShown;
    } cases[] = {
        {"runs/GONE.GTP", {"The file does not exist!\r\nThe file list will be refreshed."}, MessageIcon::Exclamation,
         folder.Path("runs")},
        {"runs/folder.gtp", {Failure("loading", 75, "Path/File access error", "folder.gtp")}, MessageIcon::Critical,
         folder.Path("runs")},
        // No folder to show the file in: the lists stay on the start folder.
        {"gone/RUN.GTP", {"There was an error reading the [" + folder.Path("gone") + "] directory!"},
         MessageIcon::Exclamation, folder.Path()},
        // Nothing named: nothing happens, as with no file at all.
        {"", {}, MessageIcon::Exclamation, folder.Path()},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path);
        Reopen();
        window->OpenFile(QByteArray::fromStdString(c.path));
        EXPECT_EQ(Messages(), c.messages);
        if (!c.messages.empty()) {
            EXPECT_EQ(Boxes()[0].icon, c.icon);
        }
        EXPECT_EQ(FolderShown().toStdString(), c.folderShown);
        EXPECT_EQ(window->windowTitle(), "Tachlet v2.00 build 2");
        EXPECT_TRUE(LabelText("lblRunName").isEmpty());
        EXPECT_FALSE(CommandsEnabled());
        EXPECT_EQ(State(), NothingLoaded);
    }
    // The missing file's row went with the refresh that its message announced.
    Reopen();
    window->OpenFile("runs/GONE.GTP");
    EXPECT_EQ(FileRows(), QStringList{"A.GTP"});
}

}  // namespace
