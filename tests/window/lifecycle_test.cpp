// The window's start and close: title, size and controls, the settings it
// reads and writes, and the links it opens.
#include <QAbstractButton>
#include <QAccessible>
#include <QComboBox>
#include <QGroupBox>
#include <QScopeGuard>
#include <QSignalSpy>

#include "window/WindowFixture.h"

namespace {

class LifecycleTest : public WindowTest {
protected:
    bool Pinned() const { return Find<QCheckBox>("chkPin")->isChecked(); }
    QString Folder() const { return Find<DirListBox>("dirGTP")->Path(); }
    std::vector<std::string> SettingsWritten() const {
        std::vector<std::string> writes;
        for (const MemorySettings::Write& write : settings.Writes()) writes.push_back(write.section + "/" + write.key);
        return writes;
    }
    const std::vector<std::string> CloseSettings = {"Options/LastDirectory", "WindowPosition/frmMain_Left",
                                                    "WindowPosition/frmMain_Top", "MainOptions/PINFileBrowser"};
};

TEST_F(LifecycleTest, FirstStartShowsNothingLoadedAndTheCloseWritesTheThreeGroups) {
    EXPECT_EQ(Open().windowTitle(), "Tachlet v2.00 build 2");
    EXPECT_EQ(State(), NothingLoaded);
    EXPECT_TRUE(Notes()->isEnabled());
    for (const std::string name : Fields) {
        EXPECT_TRUE(Box("txt" + name)->isHidden()) << name;
        EXPECT_TRUE(LabelText("lbl" + name).isEmpty()) << name;
    }
    EXPECT_TRUE(Label("lblPitchFactor")->isHidden());
    EXPECT_TRUE(Label("lblPitchFactorLabel")->isHidden());
    EXPECT_TRUE(settings.Writes().empty());

    // In edit mode without a change, nothing is asked.
    LoadFile("RUN.GTP", RunFileBuilder().Build());
    EnterEditMode();
    window->close();
    EXPECT_FALSE(window->isVisible());
    EXPECT_TRUE(Messages().empty());
    EXPECT_EQ(SettingsWritten(), CloseSettings);

    // The title takes two digits of the minor version.
    const std::pair<int, const char*> titles[] = {{5, "Tachlet v2.05 build 2"}, {123, "Tachlet v2.23 build 2"}};
    for (const auto& [minor, title] : titles) {
        AppInfo info = AppInfo::ForProgramFolder(folder.Path());
        info.Minor = minor;
        EXPECT_EQ(frmMain(Services({.appInfo = info})).windowTitle(), title);
    }
}

TEST_F(LifecycleTest, ACloseWithPendingEditsAsksAndHappensOnlyOnceTheyAreSavedOrDiscarded) {
    const Bytes original = RunFileBuilder().Records(2, 4).Notes("n").Build();
    const struct {
        const char* what;
        MessageAnswer answer;
        bool locked;  // by another program, so the save fails
        bool closes;
        uint8_t weightLow;
    } cases[] = {
        {"cancel", MessageAnswer::Cancel, false, false, 0xB8},
        {"save refused", MessageAnswer::Save, true, false, 0xB8},
        {"discard", MessageAnswer::Discard, false, true, 0xB8},
        {"save", MessageAnswer::Save, false, true, 0xC4},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        settings = MemorySettings();
        Reopen();
        LoadFile("RUN.GTP", original);
        EnterEditMode();
        // Left open: the save commits it.
        SetField("VehicleWeight", "2500", false);
        std::unique_ptr<LockHolder> holder;
        if (c.locked) holder = std::make_unique<LockHolder>(folder.Path("RUN.GTP"));
        dialogs.Answer(c.answer);
        window->close();
        holder.reset();
        ASSERT_FALSE(Boxes().empty());
        EXPECT_EQ(Boxes()[0].text, "Save changes to RUN.GTP?");
        EXPECT_EQ(Boxes()[0].buttons, MessageButtons::SaveDiscardCancel);
        EXPECT_EQ(Read("RUN.GTP")[148], c.weightLow);  // 3000 as stored, or 2500
        EXPECT_EQ(window->isVisible(), !c.closes);
        EXPECT_EQ(SettingsWritten(), c.closes ? CloseSettings : std::vector<std::string>{});
        if (!c.closes) {
            // Everything as before the close: the edits, pending, in edit mode.
            EXPECT_EQ(Messages().size(), c.locked ? 3u : 1u);
            EXPECT_EQ(WindowTitle(), Title("RUN.GTP*"));
            EXPECT_EQ(State(), Pending);
            EXPECT_EQ(LabelText("lblVehicleWeight"), c.locked ? "2500" : "3000");
        }
    }
}

TEST_F(LifecycleTest, ControlsAreSizedInTwipsAndEachValueLabelMatchesItsBox) {
    EXPECT_EQ(Open().size(), QSize(777, 489));
    FakeScreen fine(Rect{0, 0, 2048, 1536}, 7.5f, 7.5f);
    frmMain sharp(Services({.screen = &fine}));
    EXPECT_EQ(sharp.size(), QSize(1554, 978));
    // The panel ends at 5655 twips, collapsed to 605; the vehicle data lies right of it.
    EXPECT_EQ(sharp.findChild<QWidget*>("framePASSFile")->geometry(), QRect(16, 32, 738, 81));
    for (const char* name : {"lblPASSVersion", "txtRunName", "txtVehicleNotes", "cmdSave", "lblPitchFactorLabel"}) {
        const QWidget* widget = sharp.findChild<QWidget*>(name);
        const QRect control(widget->mapTo(&sharp, QPoint(0, 0)), widget->size());
        EXPECT_TRUE(control.left() >= 754 && control.right() <= 1554 && control.bottom() <= 978) << name;
    }

    // A label and its box take one place; the keyboard goes box to box, top down.
    const QWidget* previousBox = nullptr;
    for (const std::string name : Fields) {
        SCOPED_TRACE(name);
        const QLabel* label = Label("lbl" + name);
        const QLineEdit* box = Box("txt" + name);
        EXPECT_EQ(label->geometry(), box->geometry());
        const QWidget* next = previousBox ? previousBox->nextInFocusChain() : box;
        while (next->focusPolicy() == Qt::NoFocus) next = next->nextInFocusChain();
        EXPECT_EQ(next, box);
        previousBox = box;
    }
}

TEST_F(LifecycleTest, TextsFitAndNoControlOverlapsAnotherAtTheDesktopsFonts) {
    // The system's font; GNOME's; and 9 points at 144 dots per inch, which
    // the screen gives 10 twips to the pixel.
    const QFont system = QApplication::font();
    QFont at144 = system;
    at144.setFamily("DejaVu Sans");
    at144.setPixelSize(18);
    const std::tuple<const char*, QFont, float> looks[] = {
        {"system", system, 15}, {"Cantarell 11", QFont("Cantarell", 11), 15}, {"144 dpi", at144, 10}};
    const auto restore = qScopeGuard([system] { QApplication::setFont(system); });
    settings.Set("MainOptions", "PINFileBrowser", "-1");
    for (const auto& [what, font, perPixel] : looks) {
        SCOPED_TRACE(what);
        QApplication::setFont(font);
        screen = FakeScreen(Rect{0, 0, 2560, 1600}, perPixel, perPixel);
        Reopen();
        // Names of full length in ordinary words, a field open in its box.
        LoadFile("RUN.GTP", RunFileBuilder().RunName("Qualifying, second run, cold tyres, wind from W")
                                .VehicleName("Mustang GT 5.0L").Weight(65535).Records(2, 4).Notes("n").Build());
        EnterEditMode();
        OpenField("lblVehicleWeight");
        ASSERT_TRUE(Box("txtVehicleWeight")->isVisible());
        EXPECT_GE(window->width(), 11655 / perPixel);

        for (const QWidget* control : window->findChildren<QWidget*>()) {
            const std::string name = control->objectName().toStdString();
            if (!control->isVisible() || name.empty() || name.rfind("qt_", 0) == 0) continue;
            QSize needed;
            if (const auto* label = qobject_cast<const QLabel*>(control); label && !label->text().isEmpty())
                needed = label->sizeHint();
            if (qobject_cast<const QAbstractButton*>(control) || qobject_cast<const QLineEdit*>(control))
                needed = control->sizeHint();
            // A list's rows are as tall as the font; a long mount point may be cut.
            if (qobject_cast<const QComboBox*>(control)) needed = QSize(0, control->sizeHint().height());
            EXPECT_TRUE(needed.width() <= control->width() && needed.height() <= control->height())
                << name << " needs " << needed.width() << "x" << needed.height() << ", has " << control->width()
                << "x" << control->height();
            const QWidget* parent = control->parentWidget();
            EXPECT_TRUE(parent->rect().contains(control->geometry())) << name << " lies outside its parent";
            for (const QWidget* other : parent->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
                const bool shown = other != control && other->isVisible() && !other->objectName().isEmpty();
                EXPECT_FALSE(shown && control->geometry().intersects(other->geometry()))
                    << name << " overlaps " << other->objectName().toStdString();
            }
        }
        // The panel's caption lies above its drive list.
        const auto* panel = Find<QGroupBox>("framePASSFile");
        const QRect caption = panel->fontMetrics().boundingRect(panel->title());
        EXPECT_LE(caption.width(), panel->width());
        EXPECT_LE(caption.height(), Find<QWidget>("driveGTP")->y());
    }
}

TEST_F(LifecycleTest, FieldsAndCommandsCarryTheirCaptionsTooltipsAccessibleNamesAndAccessKeys) {
    Open();
    LoadFile("RUN.GTP", RunFileBuilder().Weight(3150).Pitch(25).Records(2, 4).Notes("n").Build());
    // Caption label, caption, field, tooltip: the tooltips are the field
    // table's limit texts and must read word for word as users know them.
    const char* const fields[][4] = {
        {"lblRunNameLabel", "Run Name:", "RunName", "The name of the run.  Maximum length is 47 characters."},
        {"lblVehicleNameLabel", "Vehicle Name:", "VehicleName",
         "The name of the vehicle.  Maximum length is 15 characters."},
        {"lblVehicleWeightLabel", "Vehicle Weight:", "VehicleWeight",
         "The weight of the vehicle in pounds.  The range is 1 to 65,535."},
        {"lblRedlineLabel", "Redline:", "VehicleRedline", "The redline of the vehicle.  The range is 1 to 65,535."},
        {"lblShiftPointLabel", "Shift Point:", "VehicleShiftPoint",
         "The shift point of the vehicle.  The range is 1 to 65,535."},
        {"lblRolloutLengthLabel", "Rollout Length:", "VehicleRolloutLength", ""},
        {"lblPitchFactorLabel", "Pitch Factor:", "PitchFactor",
         "The pitch factor of the vehicle in degrees per G.  The range is 0.0 to 9.9."},
    };
    for (const auto& [captionLabel, caption, field, tooltip] : fields) {
        SCOPED_TRACE(field);
        EXPECT_EQ(LabelText(captionLabel), caption);
        QLabel* value = Label(std::string("lbl") + field);
        QLineEdit* box = Box(std::string("txt") + field);
        EXPECT_EQ(value->toolTip(), tooltip);
        EXPECT_EQ(box->toolTip(), tooltip);
        // A screen reader hears the caption as the name, then the value.
        const QString name = QString::fromLatin1(caption).chopped(1);
        QAccessibleInterface* shown = QAccessible::queryAccessibleInterface(value);
        EXPECT_EQ(shown->text(QAccessible::Name), name);
        ASSERT_NE(shown->textInterface(), nullptr);
        EXPECT_EQ(shown->textInterface()->text(0, shown->textInterface()->characterCount()), value->text());
        EXPECT_EQ(QAccessible::queryAccessibleInterface(box)->text(QAccessible::Name), name);
    }
    const std::pair<const char*, const char*> lists[] = {
        {"txtVehicleNotes", "Vehicle Notes"}, {"driveGTP", "Drives"}, {"dirGTP", "Folders"}, {"fileGTP", "Run files"}};
    // On Linux a combo box's name is its value; a label's relation names it.
    for (const auto& [control, name] : lists) {
        QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(Find<QWidget>(control));
        const auto labels = accessible->relations(QAccessible::Label);
        EXPECT_EQ(labels.isEmpty() ? accessible->text(QAccessible::Name) : labels[0].first->text(QAccessible::Name),
                  name) << control;
    }

    // Each command by its caption's access key, once enabled (Undo, Save after a change).
    const char* const commands[][3] = {
        {"cmdEdit", "&Edit Data", "Edit the displayed vehicle data."},
        {"cmdUndo", "&Undo", "Undo changes to the vehicle data (reloads)."},
        {"cmdSave", "&Save Data",
         "Save changes to the vehicle data.  The file cannot be open in PASS since it will be locked."},
    };
    for (const auto& [button, caption, tooltip] : commands) {
        SCOPED_TRACE(button);
        EXPECT_EQ(Button(button)->text(), caption);
        EXPECT_EQ(Button(button)->toolTip(), tooltip);
        if (!Button(button)->isEnabled()) {
            EnterEditMode();
            QTest::keyClicks(Notes(), "x");
        }
        QSignalSpy pressed(Button(button), &QPushButton::clicked);
        QTest::keyClick(window.get(), Qt::Key(caption[1]), Qt::AltModifier);
        EXPECT_TRUE(pressed.wait(1000) || pressed.size() == 1);
    }
    EXPECT_EQ(State(), ViewState);
    EXPECT_TRUE(Messages().empty());
}

TEST_F(LifecycleTest, RemembersTheNearestFolderThatStillExistsAndPinsForAnyNonZeroNumber) {
    folder.MakeFolder("runs");
    folder.MakeFolder("elsewhere");
    const std::string runs = folder.Path("runs"), elsewhere = folder.Path("elsewhere");
    const std::tuple<std::string, std::string, const char*, bool, const char*> cases[] = {
        {runs, runs, "-1", true, "-1"},
        {"/no-such-root-tachlet/runs", elsewhere, "0", false, "0"},
        {"", elsewhere, "abc", false, "0"},
        {runs, runs, "", false, "0"},
        {runs, runs, "2", true, "-1"},
    };
    // The program starts in "elsewhere"; that is where nothing restored leaves the lists.
    QDir::setCurrent(QString::fromStdString(elsewhere));
    for (const auto& [remembered, shown, pinStored, pinned, pinWritten] : cases) {
        SCOPED_TRACE(remembered + " pin " + pinStored);
        settings.Set("Options", "LastDirectory", remembered);
        settings.Set("MainOptions", "PINFileBrowser", pinStored);
        Open();
        EXPECT_EQ(Folder(), QString::fromStdString(shown));
        EXPECT_EQ(Files()->Path(), Folder());
        EXPECT_EQ(Pinned(), pinned);
        // Pinned, the pointer far right leaves it open.
        QTest::mouseMove(window.get(), {window->width() - 1, 300});
        EXPECT_EQ(PanelOpen(), pinned);
        EXPECT_TRUE(Messages().empty());
        window->close();
        EXPECT_EQ(settings.GetSetting("Options", "LastDirectory"), shown);
        EXPECT_EQ(settings.GetSetting("MainOptions", "PINFileBrowser"), pinWritten);
    }
}

TEST_F(LifecycleTest, ADeepRememberedFolderIsRestoredByItsBytesUpToItsDeepestLevelStillThere) {
    // Two hundred levels, one named as only the system's spelling reaches it, the lowest fifty gone.
    const std::string sep(1, Files::PathSeparator);
    std::string path = folder.Path(), kept;
    for (int level = 0; level < 200; ++level) {
        path += sep + (level == 20 ? ForeignName : "d");
        if (level == 150) kept = path;
        if (level <= 150) std::filesystem::create_directory(FsPath(path));
    }
    Write(kept.substr(folder.Path().size() + 1) + "/RUN.GTP", RunFileBuilder().RunName("Deep").Build());
    settings.Set("Options", "LastDirectory", path);
    Open();
    auto* dirs = Find<DirListBox>("dirGTP");
    EXPECT_EQ(dirs->PathBytes().toStdString(), kept);
    const int levels = static_cast<int>(std::count(kept.begin(), kept.end(), Files::PathSeparator));
    ASSERT_EQ(dirs->count(), levels + 1);
    EXPECT_EQ(dirs->item(levels)->data(DirListBox::TargetRole).toByteArray().toStdString(), kept);
    ClickFile("RUN.GTP", false);
    EXPECT_EQ(LabelText("lblRunName"), "Deep");
    EXPECT_TRUE(Messages().empty());
    window->close();
    EXPECT_EQ(settings.GetSetting("Options", "LastDirectory"), kept);
}

TEST_F(LifecycleTest, PlacementIsCentredAtFirstAndRestoredAfterwards) {
    Open();
    // 1024 by 768 pixels of work area; the window is centred with its frame.
    const QRect outer = window->frameGeometry();
    ASSERT_NE(outer.size(), window->size());
    EXPECT_NEAR(outer.x() + outer.width() / 2.0, 1024 / 2.0, 1);
    EXPECT_NEAR(outer.y() + outer.height() / 2.0, 768 / 2.0, 1);
    window->move(200, 150);
    window->close();
    EXPECT_EQ(settings.GetSetting("WindowPosition", "frmMain_Left"), "3000");
    EXPECT_EQ(settings.GetSetting("WindowPosition", "frmMain_Top"), "2250");
    EXPECT_FALSE(settings.Has("WindowPosition", "frmMain_Width") || settings.Has("WindowPosition", "frmMain_Height"));

    settings.Set("WindowPosition", "frmMain_Width", "3000");
    Open();
    EXPECT_EQ(window->pos(), QPoint(200, 150));
    EXPECT_EQ(window->size(), QSize(777, 489));
    // A store that keeps nothing is reported once, and the close goes on.
    settings.FailWrites();
    window->close();
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(Messages(), Texts{"The settings could not be saved: the next start opens on its usual folder and "
                                "place."});
}

TEST_F(LifecycleTest, LinksOpenTheirTargetsOrSayWhichOneFailed) {
    // The version history lies in the data folder, apart from the program.
    AppInfo installed = AppInfo::ForProgramFolder(folder.Path());
    installed.DataPath = folder.MakeFolder("data");
    const std::string history =
        folder.Write(std::string("data") + Files::PathSeparator + "version_history.html", "<html></html>");
    documents.accept = true;
    Open({.appInfo = installed});
    for (const char* name : {"lblAbout", "lblTesla", "lblTeslaCopyright", "lblVersionHistory"})
        QTest::mouseClick(Label(name), Qt::LeftButton, {}, QPoint(2, 2));
    const std::string maker = "https://tesla-electronics.example.org/";
    EXPECT_EQ(documents.opened, (Texts{"https://tachlet.example.org/", maker, maker, "file " + history}));

    // The desktop refuses every target.
    documents.accept = false;
    for (const char* name : {"lblAbout", "lblVersionHistory"})
        QTest::mouseClick(Label(name), Qt::LeftButton, {}, QPoint(2, 2));
    EXPECT_EQ(Messages(), (Texts{"Shell [https://tachlet.example.org/] failed!",
                                 "Shell [\"" + history + "\"] failed!"}));
    EXPECT_EQ(Boxes().back().icon, MessageIcon::Critical);
}

}  // namespace
