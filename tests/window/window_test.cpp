// The window as it starts: title, size, controls with their texts, and the
// file browser's lists following one another.
#include <QComboBox>
#include <QGroupBox>
#include <QMenu>

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
    // The panel ends at 5655 twips; everything of the vehicle data lies right of it.
    const QWidget* panel = sharp.findChild<QWidget*>("framePASSFile");
    ASSERT_NE(panel, nullptr);
    EXPECT_EQ(panel->geometry(), QRect(16, 32, 738, 930));
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
    EXPECT_EQ(window->objectName(), "frmMain");
    EXPECT_EQ(State(), (ControlState{false, false, false, false, false}));
    EXPECT_TRUE(Notes()->isEnabled());
    EXPECT_FALSE(window->blnDirtyData);
    EXPECT_EQ(window->lngNumRecords, 0);
    for (const char* name : {"txtRunName", "txtVehicleName", "txtVehicleWeight", "txtVehicleRedline",
                             "txtVehicleShiftPoint", "txtVehicleRolloutLength", "txtPitchFactor"}) {
        EXPECT_TRUE(Box(name)->isHidden()) << name;
        EXPECT_FALSE(Box(name)->isEnabled()) << name;
    }
    for (const char* name : {"lblRunName", "lblVehicleName", "lblVehicleWeight", "lblVehicleRedline",
                             "lblVehicleShiftPoint", "lblVehicleRolloutLength", "lblPitchFactor"}) {
        EXPECT_TRUE(LabelText(name).isEmpty()) << name;
    }
    EXPECT_TRUE(Label("lblPitchFactor")->isHidden());
    EXPECT_TRUE(Label("lblPitchFactorLabel")->isHidden());
    for (const char* name : {"mnuFilePopupEdit", "mnuFilePopupDelete", "mnuFilePopupRename", "mnuFilePopupOpen"}) {
        EXPECT_FALSE(Find<QAction>(name)->isEnabled()) << name;
    }
    EXPECT_TRUE(Find<QAction>("mnuFilePopupRefresh")->isEnabled());
}

TEST_F(StartTest, FieldsCarryTheirCaptionsLimitsAndTooltips) {
    Open();
    struct Row {
        const char* caption;
        const char* captionText;
        const char* value;
        const char* box;
        int maxLength;
        const char* tooltip;
    };
    const Row rows[] = {
        {"lblRunNameLabel", "Run Name:", "lblRunName", "txtRunName", 47,
         "The name of the run.  Maximum length is 47 characters."},
        {"lblVehicleNameLabel", "Vehicle Name:", "lblVehicleName", "txtVehicleName", 15,
         "The name of the vehicle.  Maximum length is 15 characters."},
        {"lblVehicleWeightLabel", "Vehicle Weight:", "lblVehicleWeight", "txtVehicleWeight", 5,
         "The weight of the vehicle in pounds.  The range is 1 to 65,535."},
        {"lblRedlineLabel", "Redline:", "lblVehicleRedline", "txtVehicleRedline", 5,
         "The redline of the vehicle.  The range is 1 to 65,535."},
        {"lblShiftPointLabel", "Shift Point:", "lblVehicleShiftPoint", "txtVehicleShiftPoint", 5,
         "The shift point of the vehicle.  The range is 1 to 65,535."},
        {"lblRolloutLengthLabel", "Rollout Length:", "lblVehicleRolloutLength", "txtVehicleRolloutLength", 4, ""},
        {"lblPitchFactorLabel", "Pitch Factor:", "lblPitchFactor", "txtPitchFactor", 3,
         "The pitch factor of the vehicle in degrees per G.  The range is 0.0 to 9.9."},
    };
    const QWidget* previousBox = nullptr;
    for (const Row& row : rows) {
        SCOPED_TRACE(row.box);
        EXPECT_EQ(LabelText(row.caption), row.captionText);
        EXPECT_EQ(Box(row.box)->maxLength(), row.maxLength);
        EXPECT_EQ(Box(row.box)->toolTip(), row.tooltip);
        EXPECT_EQ(Label(row.value)->toolTip(), row.tooltip);
        // Label and box are interchangeable: same place, same bold blue text.
        EXPECT_EQ(Label(row.value)->geometry(), Box(row.box)->geometry());
        EXPECT_TRUE(Box(row.box)->font().bold());
        EXPECT_EQ(Box(row.box)->font(), Label(row.value)->font());
        EXPECT_EQ(Box(row.box)->palette().color(QPalette::Text), QColor(0, 0, 255));
        EXPECT_EQ(Label(row.value)->palette().color(QPalette::WindowText), QColor(0, 0, 255));
        if (previousBox != nullptr) {
            // The keyboard moves from box to box, labels taking no focus.
            const QWidget* next = previousBox->nextInFocusChain();
            while (next->focusPolicy() == Qt::NoFocus) {
                next = next->nextInFocusChain();
            }
            EXPECT_EQ(next, Box(row.box));
        }
        previousBox = Box(row.box);
    }
    EXPECT_EQ(LabelText("lblVehicleNotes"), "Vehicle Notes:");
    EXPECT_EQ(Notes()->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);

    const char* const buttons[][3] = {
        {"cmdEdit", "&Edit Data", "Edit the displayed vehicle data."},
        {"cmdUndo", "&Undo", "Undo changes to the vehicle data (reloads)."},
        {"cmdSave", "&Save Data",
         "Save changes to the vehicle data.  The file cannot be open in PASS since it will be locked."}};
    for (const auto& [name, caption, tooltip] : buttons) {
        EXPECT_EQ(Button(name)->text(), caption);
        EXPECT_EQ(Button(name)->toolTip(), tooltip);
    }
    EXPECT_EQ(Find<QGroupBox>("framePASSFile")->title(), "Mouse over to select your GTech PASS file (*.GTP)");
    const char* const items[][2] = {{"mnuFilePopupEdit", "&Edit"},
                                    {"mnuFilePopupDelete", "&Delete (DEL)"},
                                    {"mnuFilePopupRename", "Re&name (F2)"},
                                    {"mnuFilePopupRefresh", "&Refresh Directory Tree (F5)"},
                                    {"mnuFilePopupOpen", "Open w/PASS"}};
    for (const auto& [name, caption] : items) {
        EXPECT_EQ(Find<QAction>(name)->text(), caption);
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

    const QList<QListWidgetItem*> up = dirs->findItems("..", Qt::MatchExactly);
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
