// Edit mode: the fields and the check of each entry when it is left, the
// notes, Save and Undo.
#include <QListWidget>

#include "window/WindowFixture.h"

namespace {

class EditTest : public WindowTest {
protected:
    void LoadForEditing(RunFileBuilder file = RunFileBuilder().Records(2, 4).Notes("n")) {
        Open();
        LoadFile("RUN.GTP", file.Build());
        EnterEditMode();
    }
    // Types over the notes; a line break is the Return key.
    void ReplaceNotes(const QString& lines) {
        Notes()->selectAll();
        QTest::keyClick(Notes(), Qt::Key_Delete);
        const QStringList parts = lines.split('\n');
        for (int i = 0; i < parts.size(); ++i) {
            if (i > 0) QTest::keyClick(Notes(), Qt::Key_Return);
            QTest::keyClicks(Notes(), parts[i]);
        }
    }
};

TEST_F(EditTest, FieldsCheckTheirEntryWhenLeft) {
    LoadForEditing();
    struct Case {
        const char* field;
        const char* entry;
        bool accepted;
        const char* shown = nullptr;  // in the box after the leave, when not as entered
    };
    // The rules are the core's; here each box checks by its own field's rule,
    // stops typing at its limit (the rounded rollout length may be longer) and
    // shows the rounded rollout length and names as typed.
    const Case cases[] = {
        {"VehicleWeight", "0", false},          {"VehicleWeight", "123456", true, "12345"},
        {"VehicleRedline", "70000", false},     {"VehicleRolloutLength", "99999", false, "9999.0"},
        {"VehicleShiftPoint", "x", false},      {"VehicleRolloutLength", "2.25", true, "2.3"},
        {"VehicleRolloutLength", "-1", false, "-1.0"}, {"PitchFactor", "10", false},
        {"RunName", "  Run 7  ", true},         {"RunName", "", true},
        {"RunName", "A name of forty-seven characters, give or take", true},
        {"VehicleName", "A name of forty-seven characters, give or take", true, "A name of forty"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.field) + " " + c.entry);
        const std::string box = std::string("txt") + c.field, label = std::string("lbl") + c.field;
        const QString before = LabelText(label);
        const size_t messages = Messages().size();
        EXPECT_EQ(SetField(c.field, c.entry), c.accepted);
        EXPECT_EQ(Box(box)->text(), c.shown ? c.shown : c.entry);
        if (c.accepted) {
            EXPECT_EQ(LabelText(label), Box(box)->text());
            EXPECT_EQ(Messages().size(), messages);
            continue;
        }
        ASSERT_EQ(Messages().size(), messages + 1);
        EXPECT_EQ(Messages().back().rfind("You entered a value that is out of the allowable range (", 0), 0u);
        EXPECT_EQ(Boxes().back().icon, MessageIcon::Critical);
        // The entry stays, selected, to be corrected; the label keeps its value.
        EXPECT_EQ(Box(box)->selectedText(), Box(box)->text());
        EXPECT_TRUE(Box(box)->hasFocus());
        EXPECT_EQ(LabelText(label), before);
        // Escape closes it without a second message.
        QTest::keyClick(Box(box), Qt::Key_Escape);
        EXPECT_TRUE(Box(box)->isHidden());
        EXPECT_EQ(Messages().size(), messages + 1);
    }
}

TEST_F(EditTest, LeavingARejectedFieldShowsOneMessagePerLeave) {
    LoadForEditing();
    QLineEdit* weight = Box("txtVehicleWeight");
    SetField("VehicleWeight", "0", false);
    ASSERT_TRUE(weight->hasFocus());
    // The focus moves away while the message is up, as when a message box
    // takes it; that move is no second leave of the field.
    dialogs.whileShown = [this] { Notes()->setFocus(Qt::OtherFocusReason); };
    Leave("VehicleWeight");
    dialogs.whileShown = nullptr;
    ASSERT_EQ(Messages().size(), 1u);
    EXPECT_TRUE(weight->hasFocus());
    EXPECT_FALSE(weight->isHidden());

    // Moving the focus to another control leaves the field: one message.
    Notes()->setFocus(Qt::TabFocusReason);
    EXPECT_EQ(Messages().size(), 2u);
    EXPECT_TRUE(weight->hasFocus());
    // So does a click on another value label, whose field stays closed.
    OpenField("lblVehicleRedline");
    EXPECT_EQ(Messages().size(), 3u);
    EXPECT_TRUE(Box("txtVehicleRedline")->isHidden());
    EXPECT_TRUE(weight->hasFocus());

    // Another window taking the focus does not leave the field.
    QWidget other;
    other.show();
    other.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&other));
    EXPECT_EQ(Messages().size(), 3u);

    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    QTest::keyClick(weight, Qt::Key_Escape);

    // A rejected entry left by a click or Tab is selected, so typing replaces
    // it, and the corrected entry is committed when the focus moves on.
    const std::function<void()> leaves[] = {[this] { ClickNotes(); },
                                            [weight] { QTest::keyClick(weight, Qt::Key_Tab); }};
    for (const auto& leave : leaves) {
        SetField("VehicleWeight", "0", false);
        leave();
        ASSERT_TRUE(weight->hasFocus());
        QTest::keyClicks(weight, "3600");
        EXPECT_EQ(weight->text(), "3600");
        QTest::keyClick(weight, Qt::Key_Tab);
        EXPECT_EQ(LabelText("lblVehicleWeight"), "3600");
    }
    EXPECT_EQ(Messages().size(), 5u);
}

TEST_F(EditTest, TheTypingLimitNeverCutsTextTheProgramPutsInABox) {
    // A name read from a file may be longer than can be typed: kept whole.
    LoadForEditing(RunFileBuilder().Pitch(125).RunName(std::string(48, 'r')));
    OpenField("lblPitchFactor");
    EXPECT_EQ(Box("txtPitchFactor")->text(), "12.5");
    QTest::keyClick(Box("txtPitchFactor"), Qt::Key_Escape);
    OpenField("lblRunName");
    EXPECT_EQ(Box("txtRunName")->text(), QString(48, 'r'));
    QTest::keyClick(Box("txtRunName"), Qt::Key_Tab);
    EXPECT_TRUE(Box("txtRunName")->isHidden());
    EXPECT_EQ(LabelText("lblRunName"), QString(48, 'r'));
    EXPECT_TRUE(Messages().empty());
}

TEST_F(EditTest, TheMouseAndTheKeyboardOpenLeaveAndCancelFieldsOnlyInEditMode) {
    Open();
    LoadFile("RUN.GTP", RunFileBuilder().RunName("Old").Weight(3000).Redline(6500).Pitch(10).Build());
    // In view mode a click on a value label opens nothing; no label takes the focus.
    for (const std::string name : Fields) {
        OpenField("lbl" + name);
        EXPECT_TRUE(Box("txt" + name)->isHidden()) << name;
        EXPECT_FALSE(Label("lbl" + name)->isHidden()) << name;
    }
    EXPECT_EQ(State(), ViewState);
    EXPECT_EQ(Label("lblRunName")->focusPolicy(), Qt::NoFocus);

    EnterEditMode();
    OpenField("lblVehicleWeight");
    QLineEdit* weight = Box("txtVehicleWeight");
    EXPECT_TRUE(Label("lblVehicleWeight")->isHidden());
    EXPECT_EQ(weight->selectedText(), "3000");
    EXPECT_TRUE(weight->hasFocus());
    QTest::keyClick(weight, Qt::Key_Escape);
    Label("lblRunName")->setFocus(Qt::TabFocusReason);
    EXPECT_EQ(QStringList{"lblRunName"} + Tabs(7),
              (QStringList{"lblRunName", "lblVehicleName", "lblVehicleWeight", "lblVehicleRedline",
                           "lblVehicleShiftPoint", "lblVehicleRolloutLength", "lblPitchFactor", "txtVehicleNotes"}));

    // Enter, F2 and Space open; Enter leaves with the check, Escape cancels.
    const std::tuple<const char*, Qt::Key, const char*, Qt::Key, const char*> cases[] = {
        {"RunName", Qt::Key_Return, "New", Qt::Key_Return, "New"},
        {"VehicleWeight", Qt::Key_F2, "2800", Qt::Key_Escape, "3000"},
        {"VehicleRedline", Qt::Key_Space, "7000", Qt::Key_Enter, "7000"}};
    for (const auto& [field, open, typed, close, committed] : cases) {
        SCOPED_TRACE(field);
        QLabel* label = Label(std::string("lbl") + field);
        QLineEdit* box = Box(std::string("txt") + field);
        label->setFocus(Qt::TabFocusReason);
        QTest::keyClick(label, open);
        ASSERT_TRUE(box->hasFocus());
        EXPECT_EQ(box->selectedText(), label->text());
        QTest::keyClicks(box, typed);
        QTest::keyClick(box, close);
        EXPECT_TRUE(box->isHidden());
        EXPECT_EQ(label->text(), committed);
        EXPECT_TRUE(label->hasFocus());
    }
}

TEST_F(EditTest, AFolderChangeDisablesAnOpenFieldAndLeavesItInSight) {
    folder.MakeFolder("runs");
    settings.Set("MainOptions", "PINFileBrowser", "-1");
    LoadForEditing();
    SetField("VehicleWeight", "0", false);
    // The press leaves the field (its entry refused); the double-click enters the folder.
    auto* folders = Find<QListWidget>("dirGTP");
    const QRect row = folders->visualItemRect(folders->findItems("runs", Qt::MatchExactly).value(0));
    DoubleClick(folders->viewport(), row.center());
    ASSERT_EQ(Files()->Path(), QString::fromStdString(folder.Path("runs")));
    QLineEdit* weight = Box("txtVehicleWeight");
    EXPECT_TRUE(weight->isVisible());
    EXPECT_FALSE(weight->isEnabled());
    EXPECT_EQ(weight->text(), "0");
    EXPECT_EQ(LabelText("lblVehicleWeight"), "3000");
    EXPECT_EQ(State(), NothingLoaded);
    ASSERT_FALSE(Messages().empty());
    for (const std::string& message : Messages()) EXPECT_EQ(message.rfind("You entered a value", 0), 0u) << message;
}

TEST_F(EditTest, TheFirstChangeEnablesSaveAndUndoReloadsTheStoredValues) {
    LoadForEditing(RunFileBuilder().RunName("Stored").Weight(3100).Records(2, 6).Notes("kept"));
    EXPECT_EQ(State(), Editing);
    EXPECT_EQ(WindowTitle(), Title("RUN.GTP"));
    // The box held nothing yet: the label's text put in it is a change.
    OpenField("lblVehicleWeight");
    EXPECT_EQ(State(), Pending);
    EXPECT_EQ(WindowTitle(), Title("RUN.GTP*"));
    // Reloaded, the closed box keeps "3100": opening it again changes nothing.
    Click("cmdUndo");
    EnterEditMode();
    OpenField("lblVehicleWeight");
    EXPECT_EQ(State(), Editing);
    SetField("RunName", "Changed");
    SetField("VehicleWeight", "1200");
    ReplaceNotes("gone");
    ASSERT_EQ(LabelText("lblRunName"), "Changed");
    // A field whose entry was rejected is still open when Undo is pressed,
    // and is left once more (a second message) before the reload.
    ASSERT_FALSE(SetField("VehicleRedline", "0"));

    Click("cmdUndo");
    EXPECT_EQ(LabelText("lblRunName"), "Stored");
    EXPECT_EQ(LabelText("lblVehicleWeight"), "3100");
    EXPECT_EQ(Notes()->toPlainText(), "kept");
    EXPECT_TRUE(Box("txtVehicleRedline")->isHidden());
    EXPECT_FALSE(Label("lblVehicleRedline")->isHidden());
    EXPECT_EQ(LabelText("lblVehicleRedline"), "6500");
    EXPECT_EQ(State(), ViewState);
    EXPECT_EQ(WindowTitle(), Title("RUN.GTP"));
    EXPECT_EQ(Messages().size(), 2u);
}

TEST_F(EditTest, SaveWritesTheFieldsAndNotesAndNothingElse) {
    const RunFileBuilder file = RunFileBuilder().Records(3, 20).Notes("0123456789").Tail(5);
    LoadForEditing(file);
    // Open fields are committed by the save itself.
    const std::pair<const char*, const char*> entries[] = {
        {"RunName", "Sunday"},          {"VehicleName", "Miata"},       {"VehicleRedline", "65535"},
        {"VehicleShiftPoint", "200"},   {"VehicleRolloutLength", "2.4"}, {"PitchFactor", "9.9"}};
    for (const auto& [field, entry] : entries) SetField(field, entry, false);
    SetField("VehicleWeight", "1.5");
    ReplaceNotes("a\nb");
    Click("cmdSave");
    EXPECT_TRUE(Messages().empty());
    EXPECT_EQ(LabelText("lblVehicleWeight"), "1.5");
    // Shorter notes leave the end of the old ones behind their NUL.
    RunFileBuilder expected = RunFileBuilder(file).RunName("Sunday").VehicleName("Miata").Weight(2);
    expected.Redline(65535).ShiftPoint(200).Rollout(24).Pitch(99);
    expected.Raw(file.NotesPosition(), {3, 'a', '\r', 'b', 0x00});
    EXPECT_EQ(Read("RUN.GTP"), expected.Build());
    EXPECT_EQ(State(), ViewState);
    EXPECT_FALSE(window->blnDirtyData);
}

TEST_F(EditTest, ASaveWithoutASelectionOrOverARejectedEntryWritesNothingAndSaysSoOncePerPress) {
    const RunFileBuilder file = RunFileBuilder().Records(2, 6).Notes("n");
    LoadForEditing(file);
    SetField("VehicleRedline", "7000");
    SetField("VehicleWeight", "0", false);

    // Without a selection (Ctrl+Space takes it back) the save stops at once,
    // before it leaves the open field: only its two messages.
    QTest::keyClick(Files(), Qt::Key_Space, Qt::ControlModifier);
    ASSERT_TRUE(Files()->FileName().isEmpty());
    Click("cmdSave");
    EXPECT_EQ(Messages(), (Texts{"You must select a PASS file first!", SaveFailed}));
    EXPECT_EQ(Box("txtVehicleWeight")->text(), "0");
    EXPECT_FALSE(Box("txtVehicleWeight")->isHidden());
    EXPECT_EQ(LabelText("lblVehicleRedline"), "7000");

    // Over a rejected entry, Alt+S and a click on Save each show its message
    // once and write nothing; the entry waits, selected, for a correction.
    Files()->SelectFile("RUN.GTP");
    ASSERT_FALSE(SetField("VehicleWeight", "0"));
    const std::string range = Messages().back();
    QLineEdit* weight = Box("txtVehicleWeight");
    QPushButton* save = Button("cmdSave");
    const auto altS = [weight, save] {
        QTest::keyClick(weight, Qt::Key_S, Qt::AltModifier);
        ASSERT_TRUE(save->isDown());
        ASSERT_TRUE(QTest::qWaitFor([save] { return !save->isDown(); }));
    };
    const std::function<void()> presses[] = {altS, [this] { Click("cmdSave"); }};
    for (const auto& press : presses) {
        const size_t before = Messages().size();
        press();
        ASSERT_EQ(Messages().size(), before + 1);
        EXPECT_EQ(Messages().back(), range);
        EXPECT_EQ(Read("RUN.GTP"), file.Build());
        EXPECT_FALSE(weight->isHidden());
        EXPECT_TRUE(weight->hasFocus());
        EXPECT_EQ(weight->selectedText(), "0");
        EXPECT_EQ(State(), Pending);
    }
    const size_t shown = Messages().size();
    QTest::keyClicks(weight, "2800");
    altS();
    EXPECT_EQ(Messages().size(), shown);
    EXPECT_EQ(Read("RUN.GTP"), Saved(RunFileBuilder(file).Redline(7000).Weight(2800)));
    EXPECT_EQ(State(), ViewState);
}

}  // namespace
