// The file browser panel: opening and closing it with the pointer, the
// drives and folders it shows, its pop-up menu and keys, and the delete,
// rename and "Open w/PASS" commands on the selected run file.
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QMenu>

#include "main_window/DirListBox.h"
#include "main_window/DriveListBox.h"
#include "main_window/Drives.h"
#include "support/Errors.h"
#include "window/WindowFixture.h"

namespace {

class BrowserTest : public WindowTest {
protected:
    QGroupBox* Panel() const { return Find<QGroupBox>("framePASSFile"); }
    bool PanelOpen() const { return Panel()->height() == 6975 / 15; }
    bool PanelCollapsed() const { return Panel()->height() == 605 / 15; }
    QAction* Item(const char* name) const { return Find<QAction>(name); }
    bool CommandsEnabled() const {
        const bool edit = Item("mnuFilePopupEdit")->isEnabled();
        for (const char* name : {"mnuFilePopupDelete", "mnuFilePopupRename", "mnuFilePopupOpen"}) {
            EXPECT_EQ(Item(name)->isEnabled(), edit) << name;
        }
        return edit;
    }
    void ReleaseKey(QWidget* widget, Qt::Key key) { QTest::keyClick(widget, key); }
    QPoint RowCentre(const char* name) const {
        const QList<QListWidgetItem*> rows = Files()->findItems(QString::fromLatin1(name), Qt::MatchExactly);
        EXPECT_EQ(rows.size(), 1) << name;
        return rows.isEmpty() ? QPoint() : Files()->visualItemRect(rows.front()).center();
    }
    // Loads ORIG.GTP and runs the rename with the given answer.
    void Rename(const std::string& answer) {
        LoadFile("ORIG.GTP", RunFileBuilder().Build());
        dialogs.script.Type(answer);
        ReleaseKey(Files(), Qt::Key_F2);
    }
};

TEST_F(BrowserTest, PanelOpensAndClosesWithThePointerUnlessPinned) {
    Open();
    ASSERT_TRUE(PanelCollapsed());
    auto* pin = Find<QCheckBox>("chkPin");
    EXPECT_FALSE(pin->isChecked());

    // Bare window below the collapsed panel, one pixel left of its right edge
    // (5655 twips is pixel 377): open, and the file list takes the focus.
    QTest::mouseMove(window.get(), {376, 300});
    EXPECT_TRUE(PanelOpen());
    EXPECT_TRUE(Files()->hasFocus());
    QTest::mouseMove(Files()->viewport(), {20, 20});
    EXPECT_TRUE(PanelOpen());
    QTest::mouseMove(window.get(), {377, 300});
    EXPECT_TRUE(PanelCollapsed());

    // Over the panel's own strip: open; over the credit line: closed.
    QTest::mouseMove(Panel(), {200, 5});
    EXPECT_TRUE(PanelOpen());
    QTest::mouseMove(Label("lblTeslaCopyright"), {10, 5});
    EXPECT_TRUE(PanelCollapsed());
    // The drive list shows in the collapsed strip; moving over it does nothing.
    QTest::mouseMove(Find<QComboBox>("driveGTP"), {10, 5});
    EXPECT_TRUE(PanelCollapsed());

    // Pinned, nothing closes it; unpinned, the next closing move does.
    QTest::mouseMove(Panel(), {200, 5});
    QTest::mouseClick(pin, Qt::LeftButton, {}, QPoint(5, pin->height() / 2));
    ASSERT_TRUE(pin->isChecked());
    QTest::mouseMove(window.get(), {377, 300});
    QTest::mouseMove(Label("lblTeslaCopyright"), {10, 5});
    EXPECT_TRUE(PanelOpen());
    QTest::mouseClick(pin, Qt::LeftButton, {}, QPoint(5, pin->height() / 2));
    EXPECT_TRUE(PanelOpen());
    QTest::mouseMove(window.get(), {377, 300});
    EXPECT_TRUE(PanelCollapsed());
}

TEST_F(BrowserTest, DrivesComeFromTheMountTableAndUnreadableFoldersFallBackToTheProgramFolder) {
    const std::string table =
        "proc /proc proc rw 0 0\n"
        "/dev/sda1 / ext4 rw 0 0\n"
        "tmpfs /run tmpfs rw 0 0\n"
        "/dev/sdb1 /media/usb\\040stick vfat rw 0 0\n"
        "server:/runs /mnt/share nfs4 rw 0 0\n"
        "/dev/sda2 /home ext4 rw 0 0\n"
        "/dev/sda2 /home ext4 rw 0 0\n"
        "overlay /var/lib/docker/x overlay rw 0 0\n"
        "cgroup /sys/fs/cgroup/cpu cgroup rw 0 0\n"
        "broken line\n";
    EXPECT_EQ(Drives::Roots(table), (std::vector<std::string>{"/", "/home", "/media/usb stick", "/mnt/share"}));
    EXPECT_EQ(Drives::Roots(""), std::vector<std::string>{"/"});
    EXPECT_TRUE(DriveListBox::HoldsPath("/media/usb", "/media/usb/runs"));
    EXPECT_FALSE(DriveListBox::HoldsPath("/media/usb", "/media/usb2/runs"));
    EXPECT_TRUE(DriveListBox::HoldsPath("/", "/media/usb2"));

    folder.MakeFolder("runs");
    folder.MakeFolder("runs/old");
    Open();
    auto* dirs = Find<DirListBox>("dirGTP");
    auto* drive = Find<DriveListBox>("driveGTP");
    EXPECT_EQ(drive->itemText(0), "/");

    // The tree: "/" and every folder down to the current one, then its
    // subfolders, each a level deeper than the row it hangs from.
    dirs->SetPath(QString::fromStdString(folder.Path("runs")));
    const QStringList levels = QString::fromStdString(folder.Path("runs/old")).split('/', Qt::SkipEmptyParts);
    ASSERT_EQ(dirs->count(), levels.size() + 1);
    for (int row = 0; row < dirs->count(); ++row) {
        EXPECT_EQ(dirs->item(row)->text(), row == 0 ? "/" : levels[row - 1]);
        EXPECT_EQ(dirs->item(row)->data(DirListBox::DepthRole).toInt(), row);
    }
    EXPECT_EQ(dirs->item(dirs->count() - 1)->data(DirListBox::TargetRole).toString(),
              QString::fromStdString(folder.Path("runs/old")));

    // A drive that cannot be read, then a folder that vanished before its
    // double-click: each is named in its message and the lists go to the
    // program's folder; the drive list keeps the chosen drive.
    const QString programFolder = QString::fromStdString(folder.Path());
    drive->addItem("/no-such-drive-tachlet");
    drive->setCurrentIndex(drive->count() - 1);
    EXPECT_EQ(dirs->Path(), programFolder);
    EXPECT_EQ(drive->Drive(), "/no-such-drive-tachlet");
    dirs->SetPath(QString::fromStdString(folder.Path("runs")));
    std::filesystem::remove(folder.Path("runs/old"));
    emit dirs->itemDoubleClicked(dirs->item(dirs->count() - 1));
    EXPECT_EQ(dirs->Path(), programFolder);
    EXPECT_EQ(Files()->Path(), programFolder);
    EXPECT_EQ(Messages(), (std::vector<std::string>{
                              "There was an error reading the [/no-such-drive-tachlet] directory!",
                              "There was an error reading the [" + folder.Path("runs/old") + "] directory!"}));
    EXPECT_EQ(Boxes().back().icon, MessageIcon::Exclamation);
}

TEST_F(BrowserTest, RightClickShowsTheMenuWithoutChangingTheSelection) {
    Open();
    Write("B.GTP", RunFileBuilder().Build());
    Write("A.GTP", RunFileBuilder().Build());
    Files()->Refresh();
    auto* menu = Find<QMenu>("mnuFilePopup");

    // Nothing selected: the menu shows with only Refresh usable.
    QTest::mouseClick(Files()->viewport(), Qt::RightButton, {}, RowCentre("B.GTP"));
    EXPECT_TRUE(menu->isVisible());
    menu->hide();
    EXPECT_FALSE(CommandsEnabled());
    EXPECT_TRUE(Item("mnuFilePopupRefresh")->isEnabled());
    EXPECT_TRUE(Files()->FileName().isEmpty());

    // With A loaded, a right-click on B leaves A chosen for the commands.
    ClickFile("A.GTP");
    ASSERT_TRUE(CommandsEnabled());
    QTest::mouseClick(Files()->viewport(), Qt::RightButton, {}, RowCentre("B.GTP"));
    menu->hide();
    EXPECT_EQ(Files()->FileName(), "A.GTP");
    EXPECT_TRUE(CommandsEnabled());

    // A load that fails switches the commands off although a file is selected.
    LoadFile("BROKEN.GTP", Bytes(50, 1));
    EXPECT_EQ(Files()->FileName(), "BROKEN.GTP");
    EXPECT_FALSE(CommandsEnabled());
}

TEST_F(BrowserTest, KeysActOnlyOnALoadedFileAndOnlyFromTheBrowserOrTheWindow) {
    Open();
    Write("A.GTP", RunFileBuilder().Build());
    Files()->Refresh();
    Files()->SelectFile("A.GTP");
    ReleaseKey(Files(), Qt::Key_Delete);
    ReleaseKey(Files(), Qt::Key_F2);
    EXPECT_TRUE(Boxes().empty());
    Write("B.GTP", RunFileBuilder().Build());
    ReleaseKey(Find<QWidget>("dirGTP"), Qt::Key_F5);
    EXPECT_EQ(Files()->count(), 2);

    // Delete pressed in the notes or on a button is not the browser's.
    ClickFile("A.GTP");
    EnterEditMode();
    for (QWidget* control : {static_cast<QWidget*>(Notes()), static_cast<QWidget*>(Button("cmdUndo"))}) {
        control->setFocus();
        ReleaseKey(control, Qt::Key_Delete);
    }
    EXPECT_TRUE(Boxes().empty());

    // From the window itself, when no control has the focus.
    dialogs.script.Answer(MessageAnswer::No);
    window->setFocus();
    ReleaseKey(window.get(), Qt::Key_Delete);
    ASSERT_EQ(Boxes().size(), 1u);
    EXPECT_EQ(Boxes()[0].text,
              "This will permanently delete the file:\r\nA.GTP\r\nAre you sure you want to delete it?");
    EXPECT_EQ(Boxes()[0].icon, MessageIcon::Critical);
    EXPECT_EQ(Boxes()[0].buttons, MessageButtons::YesNo);
    EXPECT_TRUE(folder.Has("A.GTP"));

    dialogs.script.Answer(MessageAnswer::Yes);
    ReleaseKey(Find<QWidget>("driveGTP"), Qt::Key_Delete);
    EXPECT_FALSE(folder.Has("A.GTP"));
    EXPECT_EQ(Files()->count(), 1);
    EXPECT_EQ(Boxes().size(), 2u);
    // The deleted file is not written back by a save.
    EXPECT_FALSE(window->SaveRunFile());
    EXPECT_FALSE(folder.Has("A.GTP"));

    // The commands stay on with nothing selected; they then act on nothing.
    ASSERT_TRUE(CommandsEnabled());
    ReleaseKey(Files(), Qt::Key_Delete);
    const std::string selectFirst = "You must select a PASS file first!";
    EXPECT_EQ(Messages(), (std::vector<std::string>{Boxes()[0].text, Boxes()[0].text, selectFirst, selectFirst}));
    EXPECT_TRUE(folder.Has("B.GTP"));
}

TEST_F(BrowserTest, DeleteThatFailsShowsTheRecordedError) {
    Open();
    LoadFile("A.GTP", RunFileBuilder().Build());
    std::filesystem::remove(folder.Path("A.GTP"));
    dialogs.script.Answer(MessageAnswer::Yes);
    Item("mnuFilePopupDelete")->trigger();
    const ErrObject& error = Errors::LastError();
    EXPECT_EQ(Messages().back(), "WARNING:  error (" + std::to_string(error.Number()) + ") - " + error.Description() +
                                     " - occurred while attempting to delete the file.");
    EXPECT_EQ(error.Number(), 2);
    EXPECT_EQ(Boxes().back().icon, MessageIcon::Critical);
    EXPECT_EQ(Files()->FileName(), "A.GTP");
}

TEST_F(BrowserTest, RenameAddsTheExtensionAndKeepsTheFileInItsFolder) {
    const std::pair<std::string, std::string> answers[] = {
        {"run2", "run2.gtp"},         {"RUN2.GTP", "RUN2.GTP"}, {"run2.Gtp", "run2.Gtp"},
        {"run2.txt", "run2.txt.gtp"}, {" run2 ", "run2.gtp"},   {"abc", "abc.gtp"}};
    Open();
    for (const auto& [answer, expected] : answers) {
        SCOPED_TRACE(answer);
        Rename(answer);
        EXPECT_EQ(Boxes().back().prompt, "Enter the new name for this file:");
        EXPECT_EQ(Boxes().back().defaultAnswer, "ORIG.GTP");
        EXPECT_TRUE(folder.Has(expected));
        EXPECT_FALSE(folder.Has("ORIG.GTP"));
        EXPECT_FALSE(Files()->findItems(QString::fromStdString(expected), Qt::MatchExactly).isEmpty());
        std::filesystem::remove(folder.Path(expected));
    }
    EXPECT_TRUE(Messages().empty());

    // A cancel, a separator and an existing name change nothing.
    const Bytes other = RunFileBuilder().RunName("Other").Build();
    Write("other.gtp", other);
    folder.MakeFolder("sub");
    for (const char* answer : {"", "sub/moved", "../moved", "other"}) {
        SCOPED_TRACE(answer);
        Rename(answer);
        EXPECT_TRUE(folder.Has("ORIG.GTP"));
        EXPECT_EQ(Read("other.gtp"), other);
    }
    EXPECT_FALSE(folder.Has("sub/moved.gtp"));
    const std::vector<std::string> shown = Messages();
    ASSERT_EQ(shown.size(), 3u);
    EXPECT_EQ(shown[0], "The name [sub/moved] cannot be used: a file name may not contain \"/\" or control "
                        "characters.\r\nThe file was not renamed.");
    EXPECT_EQ(shown[2].rfind("WARNING:  error (58) - ", 0), 0u) << shown[2];
    EXPECT_NE(shown[2].find(" - occurred while attempting to rename the file."), std::string::npos);

    // After the loaded file was renamed away, edits cannot be saved anywhere.
    ClickFile("ORIG.GTP");
    EnterEditMode();
    OpenField("lblVehicleWeight");
    Type("txtVehicleWeight", "2500");
    dialogs.script.Type("renamed");
    ReleaseKey(Files(), Qt::Key_F2);
    QTest::mouseClick(Button("cmdSave"), Qt::LeftButton);
    EXPECT_EQ(Messages().back(), "Error saving the PASS file!");
    EXPECT_EQ(Read("renamed.gtp"), RunFileBuilder().Build());
}

TEST_F(BrowserTest, OpenWithPassReportsAShellFailureWithTheQuotedPath) {
    Open();
    LoadFile("RUN.GTP", RunFileBuilder().Build());
    Item("mnuFilePopupOpen")->trigger();
    ASSERT_EQ(Messages().size(), 1u);
    EXPECT_EQ(Messages()[0], "Shell [\"" + folder.Path("RUN.GTP") +
                                 "\"] failed!\r\n\r\nAre you sure you've associated the .GTP file extension to PASS?");
    EXPECT_EQ(Boxes()[0].icon, MessageIcon::Critical);
}

TEST_F(BrowserTest, NoFileCommandOrLinkStartsWhileALoadRuns) {
    Open();
    LoadFile("A.GTP", RunFileBuilder().Records(3, 4).Build());
    bool stepRan = false;
    events.inNextRound = [&] {
        stepRan = true;
        Write("B.GTP", RunFileBuilder().Build());
        for (const char* name : {"mnuFilePopupDelete", "mnuFilePopupRename", "mnuFilePopupOpen",
                                 "mnuFilePopupRefresh", "mnuFilePopupEdit"}) {
            Item(name)->trigger();
        }
        window->HandleBrowserKey(46, 0);
        window->HandleBrowserKey(116, 0);
        window->lblAbout_Click();
        window->lblVersionHistory_Click();
    };
    ClickFile("A.GTP");
    ASSERT_TRUE(stepRan);
    EXPECT_TRUE(Boxes().empty());
    EXPECT_TRUE(folder.Has("A.GTP"));
    EXPECT_TRUE(Files()->findItems("B.GTP", Qt::MatchExactly).isEmpty());
    EXPECT_EQ(State(), ViewState);
}

}  // namespace
