// The file browser panel: opening and closing it, the drives and folders it
// shows, its pop-up menu and keys, and delete and rename.
#include <QComboBox>
#include <QGroupBox>
#include <QHelpEvent>
#include <QMenu>
#include <QToolTip>

#include "main_window/DriveListBox.h"
#include "support/Paths.h"
#include "window/WindowFixture.h"

namespace {

class BrowserTest : public WindowTest {
protected:
    QAction* Item(const char* name) const { return Find<QAction>(name); }
    // True when the click showed the menu, which is closed again.
    bool RightClick(const char* name) {
        const QList<QListWidgetItem*> rows = Files()->findItems(QString::fromLatin1(name), Qt::MatchExactly);
        EXPECT_EQ(rows.size(), 1) << name;
        QTest::mouseClick(Files()->viewport(), Qt::RightButton, {}, Files()->visualItemRect(rows.value(0)).center());
        const bool shown = Find<QMenu>("mnuFilePopup")->isVisible();
        Find<QMenu>("mnuFilePopup")->hide();
        return shown;
    }
};

TEST_F(BrowserTest, ThePanelOpensWithThePointerOrCtrlOAndClosesUnlessPinned) {
    Open();
    Write("A.GTP", RunFileBuilder().Build());
    Write("B.GTP", RunFileBuilder().RunName("Last").Build());
    Files()->Refresh();
    auto* panel = Find<QGroupBox>("framePASSFile");
    ASSERT_FALSE(PanelOpen());
    // The last pixel over the panel and the first right of it, on a row of bare
    // window; the drive list lies in the collapsed strip and opens nothing.
    const int edge = panel->geometry().right();
    const int row = window->height() * 3 / 5;
    const std::tuple<QWidget*, QPoint, bool> moves[] = {
        {window.get(), {edge, row}, true},        {window.get(), {edge + 1, row}, false},
        {panel, {200, 5}, true},                  {Label("lblTeslaCopyright"), {10, 5}, false},
        {Find<QComboBox>("driveGTP"), {10, 5}, false}};
    for (const auto& [over, at, open] : moves) {
        QTest::mouseMove(over, at);
        EXPECT_EQ(PanelOpen(), open) << over->objectName().toStdString();
    }
    // Opened by the pointer, the file list has the keys; closed, no key reaches it.
    QTest::mouseMove(window.get(), {edge, row});
    EXPECT_TRUE(Files()->hasFocus());
    QTest::mouseMove(window.get(), {edge + 1, row});
    EXPECT_FALSE(panel->isAncestorOf(QApplication::focusWidget()));

    // The caption tells the keys.
    QHelpEvent hover(QEvent::ToolTip, QPoint(20, 5), panel->mapToGlobal(QPoint(20, 5)));
    QApplication::sendEvent(panel, &hover);
    EXPECT_EQ(QToolTip::text(), "Ctrl+O opens the file browser; Escape closes it unless it is pinned.");
    // Closed, Tab round the window passes the lists and the Pin box by.
    ClickNotes();
    const QStringList round = Tabs(12);
    for (const char* control : {"driveGTP", "dirGTP", "fileGTP", "chkPin"})
        EXPECT_FALSE(round.contains(control)) << control;

    // Ctrl+O from the notes: the keys work the list; Escape goes back.
    ClickNotes();
    QTest::keyClick(Notes(), Qt::Key_O, Qt::ControlModifier);
    EXPECT_TRUE(PanelOpen());
    ASSERT_TRUE(Files()->hasFocus());
    QTest::keyClick(Files(), Qt::Key_End);
    EXPECT_EQ(LabelText("lblRunName"), "Last");
    QTest::keyClick(Files(), Qt::Key_Escape);
    EXPECT_FALSE(PanelOpen());
    EXPECT_TRUE(Notes()->hasFocus());
    // Tab on out of the panel closes it.
    QTest::keyClick(Notes(), Qt::Key_O, Qt::ControlModifier);
    EXPECT_EQ(Tabs(2), (QStringList{"chkPin", "txtVehicleNotes"}));
    EXPECT_FALSE(PanelOpen());

    // Pinned, neither Escape, a click elsewhere nor the pointer closes it;
    // unpinned, the pointer leaving does.
    QTest::keyClick(window.get(), Qt::Key_O, Qt::ControlModifier);
    ClickPin();
    QTest::keyClick(Files(), Qt::Key_Escape);
    ClickNotes();
    for (const auto& [over, at, open] : moves) QTest::mouseMove(over, at);
    EXPECT_TRUE(PanelOpen());
    ClickPin();
    EXPECT_TRUE(PanelOpen());
    QTest::mouseMove(window.get(), {edge + 1, row});
    EXPECT_FALSE(PanelOpen());
}

TEST_F(BrowserTest, ListsFollowEachOtherFromTheMountedDrivesAndUnreadableFoldersFallBackToTheProgramFolder) {
    // The system's separator and the top of the folder's drive ("/", "C:\").
    const QString sep(QChar::fromLatin1(Files::PathSeparator));
    const QString top = QString::fromStdString(folder.Path().substr(0, Paths::RootLength(folder.Path())));
    EXPECT_TRUE(DriveListBox::HoldsPath(top + "media" + sep + "usb", top + "media" + sep + "usb" + sep + "runs"));
    EXPECT_FALSE(DriveListBox::HoldsPath(top + "media" + sep + "usb", top + "media" + sep + "usb2" + sep + "runs"));
    EXPECT_TRUE(DriveListBox::HoldsPath(top, top + "media" + sep + "usb2"));

    folder.MakeFolder("runs");
    folder.MakeFolder("runs/old");
    for (const char* name : {"b.GTP", "A.gtp", "c.Gtp", "notes.txt", "runs/inner.GTP"}) folder.Write(name, "x");
    Open();
    auto* dirs = Find<DirListBox>("dirGTP");
    auto* drive = Find<DriveListBox>("driveGTP");
    EXPECT_GE(drive->findText(top), 0);
    EXPECT_EQ(Files()->Path(), dirs->Path());
    EXPECT_EQ(FileRows(), (QStringList{"A.gtp", "b.GTP", "c.Gtp"}));

    // A double-click on a folder: the file list follows.
    emit dirs->itemDoubleClicked(dirs->findItems("runs", Qt::MatchExactly).value(0));
    EXPECT_EQ(Files()->Path(), QString::fromStdString(folder.Path("runs")));
    EXPECT_EQ(FileRows(), QStringList{"inner.GTP"});

    // The top and every folder down to the current one, then its subfolders,
    // each a level deeper than the row it hangs from.
    const QStringList levels = QString::fromStdString(folder.Path("runs")).mid(top.size()).split(sep) << "old";
    ASSERT_EQ(dirs->count(), levels.size() + 1);
    for (int row = 0; row < dirs->count(); ++row) {
        EXPECT_EQ(dirs->item(row)->text(), row == 0 ? top : levels[row - 1]);
        EXPECT_EQ(dirs->item(row)->data(DirListBox::DepthRole).toInt(), row);
    }
    EXPECT_EQ(dirs->item(static_cast<int>(levels.size()))->data(DirListBox::TargetRole).toString(),
              QString::fromStdString(folder.Path("runs") + Files::PathSeparator + "old"));
    // A folder above, entered by the keyboard; a drive, which goes to its root.
    dirs->setCurrentItem(dirs->item(static_cast<int>(levels.size()) - 2));
    QTest::keyClick(dirs, Qt::Key_Return);
    EXPECT_EQ(Files()->Path(), QString::fromStdString(folder.Path()));
    drive->addItem(QString::fromStdString(folder.Path("runs")));
    drive->setCurrentIndex(drive->count() - 1);
    EXPECT_EQ(dirs->Path(), QString::fromStdString(folder.Path("runs")));
    EXPECT_EQ(FileRows(), QStringList{"inner.GTP"});

    // A drive that cannot be read, then a folder gone before its double-click:
    // each is named, the lists go to the program's folder, the drive stays.
    const QString programFolder = QString::fromStdString(folder.Path());
    drive->addItem("/no-such-drive-tachlet");
    drive->setCurrentIndex(drive->count() - 1);
    EXPECT_EQ(dirs->Path(), programFolder);
    EXPECT_EQ(drive->Drive(), "/no-such-drive-tachlet");
    dirs->SetPath(QString::fromStdString(folder.Path("runs")));
    const std::string old = folder.Path("runs") + Files::PathSeparator + "old";
    std::filesystem::remove(FsPath(old));
    emit dirs->itemDoubleClicked(dirs->item(dirs->count() - 1));
    EXPECT_EQ(dirs->Path(), programFolder);
    EXPECT_EQ(Files()->Path(), programFolder);
    EXPECT_EQ(Messages(), (Texts{"There was an error reading the [/no-such-drive-tachlet] directory!",
                                 "There was an error reading the [" + old + "] directory!"}));
    EXPECT_EQ(Boxes().back().icon, MessageIcon::Exclamation);
}

TEST_F(BrowserTest, RightClickKeepsTheSelectionAndTheCommandsFollowTheLoad) {
    Open();
    Write("B.GTP", RunFileBuilder().RunName("Clicked twice").Records(2, 4).Notes("n").Build());
    Write("A.GTP", RunFileBuilder().Build());
    Files()->Refresh();
    // Nothing loaded: only Refresh is usable.
    EXPECT_TRUE(RightClick("B.GTP"));
    EXPECT_FALSE(CommandsEnabled());
    EXPECT_TRUE(Item("mnuFilePopupRefresh")->isEnabled());
    EXPECT_TRUE(Files()->FileName().isEmpty());

    ClickFile("A.GTP");
    ASSERT_TRUE(CommandsEnabled());
    RightClick("B.GTP");
    EXPECT_EQ(Files()->FileName(), "A.GTP");
    EXPECT_TRUE(CommandsEnabled());
    // A double-click loads the file and enters edit mode.
    DoubleClick(Files()->viewport(), Files()->visualItemRect(Files()->item(1)).center());
    EXPECT_EQ(LabelText("lblRunName"), "Clicked twice");
    EXPECT_EQ(State(), Editing);
    EXPECT_TRUE(CommandsEnabled());
    EXPECT_TRUE(Messages().empty());
    // A load that fails switches the commands off although a file is selected.
    LoadFile("BROKEN.GTP", Bytes(50, 1));
    EXPECT_EQ(Files()->FileName(), "BROKEN.GTP");
    EXPECT_FALSE(CommandsEnabled());
}

TEST_F(BrowserTest, DeleteAsksFirstAndComesOnlyFromTheBrowserOrTheWindow) {
    Open();
    Write("A.GTP", RunFileBuilder().Build());
    Files()->Refresh();
    Files()->SelectFile("A.GTP");
    // Selected but not loaded: no command; F5 in the folder list refreshes.
    QTest::keyClick(Files(), Qt::Key_Delete);
    QTest::keyClick(Files(), Qt::Key_F2);
    Write("B.GTP", RunFileBuilder().Build());
    QTest::keyClick(Find<QWidget>("dirGTP"), Qt::Key_F5);
    EXPECT_EQ(Files()->count(), 2);
    // Delete pressed in the notes or on a button is not the browser's.
    ClickFile("A.GTP");
    ChangeWeight();
    for (QWidget* control : std::initializer_list<QWidget*>{Notes(), Button("cmdUndo")}) {
        control->setFocus();
        QTest::keyClick(control, Qt::Key_Delete);
    }
    EXPECT_TRUE(Boxes().empty());

    const std::string question =
        "This will permanently delete the file:\r\nA.GTP\r\nAre you sure you want to delete it?";
    dialogs.Answer(MessageAnswer::No);
    window->setFocus();
    QTest::keyClick(window.get(), Qt::Key_Delete);
    ASSERT_EQ(Boxes().size(), 1u);
    EXPECT_EQ(Boxes()[0].icon, MessageIcon::Critical);
    EXPECT_EQ(Boxes()[0].buttons, MessageButtons::YesNoDefaultNo);  // Enter answers No: see QtDialogs' test
    EXPECT_TRUE(folder.Has("A.GTP"));
    dialogs.Answer(MessageAnswer::Yes);
    QTest::keyClick(Find<QWidget>("driveGTP"), Qt::Key_Delete);
    EXPECT_FALSE(folder.Has("A.GTP"));
    EXPECT_EQ(Files()->count(), 1);
    // The loaded file's edits went with it: nothing to edit, save or ask about.
    EXPECT_EQ(WindowTitle(), "Tachlet v2.00 build 2");
    EXPECT_FALSE(window->blnDirtyData);
    Trigger("mnuFilePopupEdit");
    EXPECT_EQ(State(), NothingLoaded);
    // The deleted file is not written back by a save.
    EXPECT_FALSE(SaveRunFile());
    EXPECT_FALSE(folder.Has("A.GTP"));
    // The commands stay on with nothing selected; they then act on nothing.
    ASSERT_TRUE(CommandsEnabled());
    QTest::keyClick(Files(), Qt::Key_Delete);
    const std::string selectFirst = "You must select a PASS file first!";
    EXPECT_EQ(Messages(), (Texts{question, question, selectFirst, selectFirst}));
    EXPECT_TRUE(folder.Has("B.GTP"));

    // A delete that fails shows the error it recorded.
    LoadFile("C.GTP", RunFileBuilder().Build());
    std::filesystem::remove(folder.Path("C.GTP"));
    dialogs.Answer(MessageAnswer::Yes);
    Trigger("mnuFilePopupDelete");
    EXPECT_EQ(Messages().back(), "WARNING:  error (2) - File Not Found - occurred while attempting to delete the file.");
    EXPECT_EQ(Boxes().back().icon, MessageIcon::Critical);
    EXPECT_EQ(Files()->FileName(), "C.GTP");
}

TEST_F(BrowserTest, LoadingAnotherFileWithPendingEditsAsksFirst) {
    Open();
    const Bytes first = RunFileBuilder().RunName("First").Build();
    Write("B.GTP", RunFileBuilder().RunName("Second").Build());
    LoadFile("A.GTP", first);
    ChangeWeight();
    // Cancel: A stays selected and loaded, with its edits.
    dialogs.Answer(MessageAnswer::Cancel);
    ClickFile("B.GTP");
    EXPECT_EQ(Files()->FileName(), "A.GTP");
    EXPECT_EQ(LabelText("lblRunName"), "First");
    EXPECT_EQ(LabelText("lblVehicleWeight"), "2500");
    EXPECT_EQ(State(), (ControlState{false, true, true, true, false}));
    // Discard, asked by the keyboard: B loads, A is as it was.
    dialogs.Answer(MessageAnswer::Discard);
    QTest::keyClick(Files(), Qt::Key_Down);
    EXPECT_EQ(LabelText("lblRunName"), "Second");
    EXPECT_EQ(Read("A.GTP"), first);
    // Save: B, the file loaded, is written, not A, the one now selected.
    ChangeWeight();
    dialogs.Answer(MessageAnswer::Save);
    ClickFile("A.GTP");
    EXPECT_EQ(Read("B.GTP"), RunFileBuilder().RunName("Second").Weight(2500).Build());
    EXPECT_EQ(Read("A.GTP"), first);
    EXPECT_EQ(LabelText("lblRunName"), "First");
    EXPECT_EQ(State(), ViewState);
    EXPECT_EQ(Messages(), (Texts{"Save changes to A.GTP?", "Save changes to A.GTP?", "Save changes to B.GTP?"}));
}

TEST_F(BrowserTest, RenameAddsTheExtensionAndKeepsTheFileInItsFolder) {
    const auto rename = [this](const std::string& answer) {
        LoadFile("ORIG.GTP", RunFileBuilder().Build());
        dialogs.Type(answer);
        QTest::keyClick(Files(), Qt::Key_F2);
    };
    const std::pair<std::string, std::string> answers[] = {
        {"run2", "run2.gtp"}, {"RUN2.GTP", "RUN2.GTP"}, {"run2.Gtp", "run2.Gtp"}, {"run2.txt", "run2.txt.gtp"},
        {" run2 ", "run2.gtp"}};
    Open();
    for (const auto& [answer, expected] : answers) {
        SCOPED_TRACE(answer);
        rename(answer);
        EXPECT_EQ(Boxes().back().prompt, "Enter the new name for this file:");
        EXPECT_EQ(Boxes().back().defaultAnswer, "ORIG.GTP");
        EXPECT_TRUE(folder.Has(expected));
        EXPECT_FALSE(folder.Has("ORIG.GTP"));
        EXPECT_FALSE(Files()->findItems(QString::fromStdString(expected), Qt::MatchExactly).isEmpty());
        std::filesystem::remove(folder.Path(expected));
    }
    EXPECT_TRUE(Messages().empty());

    // A cancel, a separator and a name the lists would hide change nothing;
    // Windows refuses more characters than the separator, and names them.
    folder.MakeFolder("sub");
    const std::string forbidden = Files::PathSeparator == '/' ? "contain \"/\"" : "contain any of \\ / : * ? \" < > |";
    Texts refusals;
    for (const char* answer : {"", "sub/moved", "../moved", ".", " .. ", ".hidden"}) {
        SCOPED_TRACE(answer);
        rename(answer);
        EXPECT_TRUE(folder.Has("ORIG.GTP"));
        if (const std::string name = QString(answer).trimmed().toStdString(); !name.empty())
            refusals.push_back("The name [" + name + "] cannot be used: a file name may not start with \".\" or " +
                               forbidden + " or control characters.\r\nThe file was not renamed.");
        EXPECT_EQ(Messages(), refusals);
    }
    EXPECT_FALSE(folder.Has("sub/moved.gtp"));

    // The loaded file renamed while edits are pending takes the load along:
    // the selection and the title follow it, and the save writes into it.
    ClickFile("ORIG.GTP");
    EnterEditMode();
    SetField("VehicleWeight", "2500", false);
    dialogs.Type("renamed");
    QTest::keyClick(Files(), Qt::Key_F2);
    EXPECT_EQ(Files()->FileName(), "renamed.gtp");
    EXPECT_EQ(WindowTitle(), Title("renamed.gtp*"));
    Click("cmdSave");
    EXPECT_EQ(Messages(), refusals);
    EXPECT_EQ(Read("renamed.gtp"), RunFileBuilder().Weight(2500).Build());
}

}  // namespace
