// The window as it starts: title, size, controls with their texts, and the
// file browser's lists following one another.
#include <QComboBox>

#include "main_window/DirListBox.h"
#include "window/WindowFixture.h"

namespace {

class StartTest : public WindowTest {};

TEST_F(StartTest, TitleIsBuiltFromTheVersionNumbers) {
    EXPECT_EQ(Open().windowTitle(), "Tachlet v2.00 build 2");
    const std::pair<int, const char*> minors[] = {{5, "Tachlet v2.05 build 2"},
                                                  {12, "Tachlet v2.12 build 2"},
                                                  {123, "Tachlet v2.23 build 2"}};
    for (const auto& [minor, title] : minors) {
        AppInfo info = AppInfo::ForProgramFolder(folder.Path());
        info.Minor = minor;
        frmMain other(WindowServices{dialogs, settings, screen, documents, events, info});
        EXPECT_EQ(other.windowTitle(), title);
    }
}

TEST_F(StartTest, ClientAreaFollowsTheScreensTwipsPerPixel) {
    EXPECT_EQ(Open().size(), QSize(777, 489));
    FakeScreen fine(Rect{0, 0, 2048, 1536}, 7.5f, 7.5f);
    frmMain sharp(WindowServices{dialogs, settings, fine, documents, events, AppInfo::ForProgramFolder("")});
    EXPECT_EQ(sharp.size(), QSize(1554, 978));
    // The panel ends at 5655 twips and starts collapsed to 605; everything of
    // the vehicle data lies right of it.
    const QWidget* panel = sharp.findChild<QWidget*>("framePASSFile");
    ASSERT_NE(panel, nullptr);
    EXPECT_EQ(panel->geometry(), QRect(16, 32, 738, 81));
    for (const char* name : {"lblPASSVersion", "lblRunName", "txtRunName", "lblVehicleNotes", "txtVehicleNotes",
                             "cmdEdit", "cmdUndo", "cmdSave", "lblPitchFactorLabel"}) {
        const QWidget* control = sharp.findChild<QWidget*>(name);
        ASSERT_NE(control, nullptr) << name;
        EXPECT_GE(control->x(), 754) << name;
        EXPECT_LE(control->geometry().right(), 1554) << name;
        EXPECT_LE(control->geometry().bottom(), 978) << name;
    }
}

TEST_F(StartTest, StartsWithNothingLoadedAndEveryCommandOff) {
    Open();
    EXPECT_EQ(State(), (ControlState{false, false, false, false, false}));
    EXPECT_TRUE(Notes()->isEnabled());
    EXPECT_EQ(window->lngNumRecords, 0);
    for (const FieldName& field : Fields) {
        EXPECT_TRUE(Box(std::string("txt") + field.name)->isHidden()) << field.name;
        EXPECT_TRUE(LabelText(std::string("lbl") + field.name).isEmpty()) << field.name;
    }
    EXPECT_TRUE(Label("lblPitchFactor")->isHidden());
    EXPECT_TRUE(Label("lblPitchFactorLabel")->isHidden());
    for (const char* name : {"mnuFilePopupEdit", "mnuFilePopupDelete", "mnuFilePopupRename", "mnuFilePopupOpen"}) {
        EXPECT_FALSE(Find<QAction>(name)->isEnabled()) << name;
    }
    EXPECT_TRUE(Find<QAction>("mnuFilePopupRefresh")->isEnabled());
}

TEST_F(StartTest, EachValueLabelAndItsBoxAreInterchangeable) {
    Open();
    const QWidget* previousBox = nullptr;
    for (const FieldName& field : Fields) {
        SCOPED_TRACE(field.name);
        const QLabel* label = Label(std::string("lbl") + field.name);
        const QLineEdit* box = Box(std::string("txt") + field.name);
        EXPECT_EQ(label->geometry(), box->geometry());
        EXPECT_EQ(label->toolTip(), box->toolTip());
        EXPECT_EQ(label->font(), box->font());
        if (previousBox != nullptr) {
            // The keyboard moves from box to box, top to bottom.
            const QWidget* next = previousBox->nextInFocusChain();
            while (next->focusPolicy() == Qt::NoFocus) {
                next = next->nextInFocusChain();
            }
            EXPECT_EQ(next, box);
        }
        previousBox = box;
    }
}

TEST_F(StartTest, TheListsFollowEachOtherFromDriveToFolderToFile) {
    folder.MakeFolder("runs");
    folder.MakeFolder("Archive");
    folder.Write("b.GTP", "x");
    folder.Write("A.gtp", "x");
    folder.Write("c.Gtp", "x");
    folder.Write("notes.txt", "x");
    folder.Write("runs/inner.GTP", "x");
    Open();
    auto* dirs = Find<DirListBox>("dirGTP");
    const auto names = [this] {
        QStringList shown;
        for (int row = 0; row < Files()->count(); ++row) {
            shown << Files()->item(row)->text();
        }
        return shown;
    };
    EXPECT_EQ(dirs->Path(), QString::fromStdString(folder.Path()));
    EXPECT_EQ(Files()->Path(), dirs->Path());
    EXPECT_EQ(names(), (QStringList{"A.gtp", "b.GTP", "c.Gtp"}));

    // A loaded file, then a double-click on a folder: the file list follows
    // and editing is off.
    LoadFile("RUN.GTP", RunFileBuilder().Build());
    ASSERT_EQ(State(), ViewState);
    const QList<QListWidgetItem*> runs = dirs->findItems("runs", Qt::MatchExactly);
    ASSERT_EQ(runs.size(), 1);
    EXPECT_EQ(dirs->findItems("Archive", Qt::MatchExactly).size(), 1);
    emit dirs->itemDoubleClicked(runs.front());
    EXPECT_EQ(dirs->Path(), QString::fromStdString(folder.Path("runs")));
    EXPECT_EQ(names(), QStringList{"inner.GTP"});
    EXPECT_EQ(State(), (ControlState{false, false, false, false, false}));

    // The folders above the current one are rows of the list too.
    const QString parentName = QDir(QString::fromStdString(folder.Path())).dirName();
    const QList<QListWidgetItem*> up = dirs->findItems(parentName, Qt::MatchExactly);
    ASSERT_EQ(up.size(), 1);
    dirs->setCurrentItem(up.front());
    QTest::keyClick(dirs, Qt::Key_Return);
    EXPECT_EQ(Files()->Path(), QString::fromStdString(folder.Path()));

    // The drive sets the folder list to its root.
    auto* drive = Find<QComboBox>("driveGTP");
    drive->addItem(QString::fromStdString(folder.Path("runs")));
    drive->setCurrentIndex(drive->count() - 1);
    EXPECT_EQ(dirs->Path(), QString::fromStdString(folder.Path("runs")));
    EXPECT_EQ(names(), QStringList{"inner.GTP"});
}

}  // namespace
