// Edit mode: the vehicle-data fields and the check of each entry when it is
// left, the notes, Save and Undo, and exactly which bytes a save changes.
#include <QListWidget>
#include <QWindow>

#include "window/WindowFixture.h"

namespace {

class EditTest : public WindowTest {
protected:
    void LoadForEditing() {
        Open();
        LoadFile("RUN.GTP", RunFileBuilder().Weight(3000).Rollout(25).Pitch(10).Records(2, 4).Notes("n").Build());
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

TEST_F(EditTest, ValueLabelsOpenTheirFieldOnlyInEditMode) {
    Open();
    LoadFile("RUN.GTP", RunFileBuilder().Weight(3000).Build());
    for (const std::string name : Fields) {
        OpenField("lbl" + name);
        EXPECT_TRUE(Box("txt" + name)->isHidden()) << name;
        EXPECT_FALSE(Label("lbl" + name)->isHidden()) << name;
    }
    EXPECT_EQ(State(), ViewState);

    EnterEditMode();
    OpenField("lblVehicleWeight");
    QLineEdit* weight = Box("txtVehicleWeight");
    EXPECT_FALSE(weight->isHidden());
    EXPECT_TRUE(Label("lblVehicleWeight")->isHidden());
    EXPECT_EQ(weight->text(), "3000");
    EXPECT_EQ(weight->selectedText(), "3000");
    EXPECT_TRUE(weight->hasFocus());
}

TEST_F(EditTest, NumberFieldsCheckTheirRangeWhenLeft) {
    LoadForEditing();
    struct Case {
        const char* field;
        const char* entry;
        bool accepted;
        const char* shown = nullptr;  // in the box after the leave, when not as entered
    };
    // The rules themselves are the core's; here the window's part: the box
    // shows the rounded rollout length, a rejection keeps the entry selected.
    const Case cases[] = {
        {"VehicleWeight", "0", false},          {"VehicleWeight", "1.5", true},
        {"VehicleRedline", "70000", false},     {"VehicleShiftPoint", "x", false},
        {"VehicleRolloutLength", "2.25", true, "2.3"}, {"VehicleRolloutLength", "-1", false, "-1.0"},
        {"PitchFactor", "9.9", true},           {"PitchFactor", "10", false},
    };
    const std::map<std::string, std::string> ranges = {{"VehicleRolloutLength", "0-25.5"}, {"PitchFactor", "0-9.9"}};
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
        const auto range = ranges.find(c.field);
        EXPECT_EQ(Messages().back(), "You entered a value that is out of the allowable range (" +
                                         (range == ranges.end() ? "1-65535" : range->second) +
                                         ").\r\nPlease correct this now.");
        EXPECT_EQ(Boxes().back().icon, MessageIcon::Critical);
        // The entry stays, all of it selected, for the user to correct; the
        // label keeps the value committed before.
        EXPECT_EQ(Box(box)->selectedText(), Box(box)->text());
        EXPECT_TRUE(Box(box)->hasFocus());
        EXPECT_EQ(LabelText(label), before);
        Type(box, before);
        Leave(c.field);
        EXPECT_TRUE(Box(box)->isHidden());
    }
}

TEST_F(EditTest, NamesAreCommittedExactlyAsTypedUpToTheirLength) {
    LoadForEditing();
    for (const char* name : {"  Run 7  ", "", "A name of forty-seven characters, give or take"}) {
        EXPECT_TRUE(SetField("RunName", name));
        EXPECT_EQ(LabelText("lblRunName"), name);
        EXPECT_TRUE(SetField("VehicleName", name));
        EXPECT_EQ(LabelText("lblVehicleName"), QString(name).left(15));
    }
    EXPECT_TRUE(Messages().empty());
}

TEST_F(EditTest, LeavingARejectedFieldShowsOneMessagePerLeave) {
    LoadForEditing();
    SetField("VehicleWeight", "0", false);
    ASSERT_TRUE(Box("txtVehicleWeight")->hasFocus());
    // The focus moves away while the message is up, as when a message box
    // takes it; that move is no second leave of the field.
    dialogs.whileShown = [this] { Notes()->setFocus(Qt::OtherFocusReason); };
    Leave("VehicleWeight");
    dialogs.whileShown = nullptr;
    ASSERT_EQ(Messages().size(), 1u);
    EXPECT_TRUE(Box("txtVehicleWeight")->hasFocus());
    EXPECT_FALSE(Box("txtVehicleWeight")->isHidden());

    // Moving the focus to another control leaves the field: one message.
    Notes()->setFocus(Qt::TabFocusReason);
    EXPECT_EQ(Messages().size(), 2u);
    EXPECT_TRUE(Box("txtVehicleWeight")->hasFocus());
    // So does a click on another value label, whose field stays closed.
    OpenField("lblVehicleRedline");
    EXPECT_EQ(Messages().size(), 3u);
    EXPECT_TRUE(Box("txtVehicleRedline")->isHidden());
    EXPECT_TRUE(Box("txtVehicleWeight")->hasFocus());

    // Another window taking the focus does not leave the field.
    QWidget other;
    other.show();
    other.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&other));
    EXPECT_EQ(Messages().size(), 3u);

    // A corrected entry is committed when the focus moves on.
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    Box("txtVehicleWeight")->setFocus();
    Type("txtVehicleWeight", "2800");
    Notes()->setFocus(Qt::TabFocusReason);
    EXPECT_EQ(Messages().size(), 3u);
    EXPECT_EQ(LabelText("lblVehicleWeight"), "2800");
    EXPECT_TRUE(Box("txtVehicleWeight")->isHidden());
}

TEST_F(EditTest, ARejectedEntryLeftByAClickOrTabIsSelectedSoTypingReplacesIt) {
    LoadForEditing();
    QLineEdit* weight = Box("txtVehicleWeight");
    const std::function<void()> leaves[] = {
        [this] { QTest::mouseClick(Notes()->viewport(), Qt::LeftButton, {}, QPoint(5, 5)); },
        [weight] { QTest::keyClick(weight, Qt::Key_Tab); },
    };
    for (const auto& leave : leaves) {
        SetField("VehicleWeight", "0", false);
        leave();
        ASSERT_TRUE(weight->hasFocus());
        QTest::keyClicks(weight, "3600");
        EXPECT_EQ(weight->text(), "3600");
        QTest::keyClick(weight, Qt::Key_Tab);
        EXPECT_EQ(LabelText("lblVehicleWeight"), "3600");
    }
    EXPECT_EQ(Messages().size(), 2u);
}

TEST_F(EditTest, TheTypingLimitNeverCutsTextTheProgramPutsInABox) {
    Open();
    LoadFile("RUN.GTP", RunFileBuilder().Weight(3000).Pitch(125).Build());
    EnterEditMode();
    OpenField("lblPitchFactor");
    EXPECT_EQ(Box("txtPitchFactor")->text(), "12.5");
    QTest::keyClick(Box("txtPitchFactor"), Qt::Key_Escape);
    // Typing stops at the limit; the rounded rollout length may be longer.
    SetField("VehicleWeight", "123456", false);
    EXPECT_EQ(Box("txtVehicleWeight")->text(), "12345");
    OpenField("lblVehicleRolloutLength");
    QTest::keyClicks(Box("txtVehicleRolloutLength"), "99999");
    QTest::keyClick(Box("txtVehicleRolloutLength"), Qt::Key_Tab);
    EXPECT_EQ(Box("txtVehicleRolloutLength")->text(), "9999.0");
    EXPECT_EQ(Messages().size(), 1u);

    // A name read from a file may be longer than can be typed: it opens whole
    // and is kept as it is when left.
    QTest::keyClick(Box("txtVehicleRolloutLength"), Qt::Key_Escape);
    dialogs.Answer(MessageAnswer::Discard);
    LoadFile("LONG.GTP", RunFileBuilder().RunName(std::string(48, 'r')).Build());
    EnterEditMode();
    OpenField("lblRunName");
    EXPECT_EQ(Box("txtRunName")->text(), QString(48, 'r'));
    QTest::keyClick(Box("txtRunName"), Qt::Key_Tab);
    EXPECT_TRUE(Box("txtRunName")->isHidden());
    EXPECT_EQ(LabelText("lblRunName"), QString(48, 'r'));
    EXPECT_EQ(Messages().size(), 2u);  // the range, the question about the edits
}

TEST_F(EditTest, TheKeyboardOpensLeavesAndCancelsFieldsInEditMode) {
    Open();
    LoadFile("RUN.GTP", RunFileBuilder().RunName("Old").Weight(3000).Redline(6500).Pitch(10).Build());
    // Not in view mode: the labels take no focus.
    EXPECT_EQ(Label("lblRunName")->focusPolicy(), Qt::NoFocus);
    EnterEditMode();
    Label("lblRunName")->setFocus(Qt::TabFocusReason);
    QStringList order;
    for (QWidget* at = QApplication::focusWidget(); order.size() < 8; at = QApplication::focusWidget()) {
        order << at->objectName();
        QTest::keyClick(at, Qt::Key_Tab);
    }
    EXPECT_EQ(order, (QStringList{"lblRunName", "lblVehicleName", "lblVehicleWeight", "lblVehicleRedline",
                                  "lblVehicleShiftPoint", "lblVehicleRolloutLength", "lblPitchFactor",
                                  "txtVehicleNotes"}));

    // Enter, F2 and Space open; Enter leaves with the check, Escape cancels.
    const struct {
        const char* field;
        Qt::Key open;
        const char* typed;
        Qt::Key close;
        const char* committed;
    } cases[] = {{"RunName", Qt::Key_Return, "New", Qt::Key_Return, "New"},
                 {"VehicleWeight", Qt::Key_F2, "2800", Qt::Key_Escape, "3000"},
                 {"VehicleRedline", Qt::Key_Space, "7000", Qt::Key_Enter, "7000"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.field);
        QLabel* label = Label(std::string("lbl") + c.field);
        QLineEdit* box = Box(std::string("txt") + c.field);
        label->setFocus(Qt::TabFocusReason);
        QTest::keyClick(label, c.open);
        ASSERT_TRUE(box->hasFocus());
        EXPECT_EQ(box->selectedText(), label->text());
        QTest::keyClicks(box, c.typed);
        QTest::keyClick(box, c.close);
        EXPECT_TRUE(box->isHidden());
        EXPECT_EQ(label->text(), c.committed);
        EXPECT_TRUE(label->hasFocus());
    }
    // Enter on a rejected entry keeps the field open; Escape puts back the
    // value it opened with, without a message.
    Label("lblVehicleWeight")->setFocus(Qt::TabFocusReason);
    QTest::keyClick(Label("lblVehicleWeight"), Qt::Key_Return);
    QTest::keyClicks(Box("txtVehicleWeight"), "0");
    QTest::keyClick(Box("txtVehicleWeight"), Qt::Key_Return);
    EXPECT_FALSE(Box("txtVehicleWeight")->isHidden());
    EXPECT_EQ(Messages().size(), 1u);
    QTest::keyClick(Box("txtVehicleWeight"), Qt::Key_Escape);
    EXPECT_TRUE(Box("txtVehicleWeight")->isHidden());
    EXPECT_EQ(LabelText("lblVehicleWeight"), "3000");
    EXPECT_EQ(Messages().size(), 1u);
}

TEST_F(EditTest, OpeningAFieldIsTheFirstChangeOnlyWhereItsBoxHeldAnotherText) {
    Open();
    LoadFile("RUN.GTP", RunFileBuilder().Weight(3000).Build());
    EnterEditMode();
    // The box held nothing yet: the label's text put in it is a change.
    OpenField("lblVehicleWeight");
    EXPECT_EQ(State(), (ControlState{false, true, true, true, false}));
    EXPECT_TRUE(window->blnDirtyData);
    // Reloaded, the closed box keeps "3000": opening it again changes nothing.
    Click("cmdUndo");
    EnterEditMode();
    OpenField("lblVehicleWeight");
    EXPECT_EQ(State(), (ControlState{false, true, false, true, false}));
    EXPECT_FALSE(window->blnDirtyData);
}

TEST_F(EditTest, AVersion111FilesPitchFactorNeverTakesTheFocusInEditMode) {
    Open();
    LoadFile("OLD.GTP", RunFileBuilder().Version("1.1.1").Records(2, 4).Notes("n").Build());
    EnterEditMode();
    OpenField("lblRunName");
    // Round the whole window and back, by Tab and by Shift+Tab.
    for (const Qt::KeyboardModifiers way : {Qt::KeyboardModifiers(), Qt::KeyboardModifiers(Qt::ShiftModifier)}) {
        for (int tab = 0; tab < 30; ++tab) {
            QWidget* at = QApplication::focusWidget();
            ASSERT_NE(at, nullptr);
            ASSERT_FALSE(at->objectName().endsWith("PitchFactor")) << tab;
            QTest::keyClick(at, Qt::Key_Tab, way);
        }
    }
    EXPECT_TRUE(Label("lblPitchFactor")->isHidden());
    EXPECT_TRUE(Box("txtPitchFactor")->isHidden());
}

TEST_F(EditTest, AFolderChangeDisablesAnOpenFieldAndLeavesItInSight) {
    folder.MakeFolder("runs");
    settings.Set("MainOptions", "PINFileBrowser", "-1");
    LoadForEditing();
    SetField("VehicleWeight", "0", false);
    // The press on the folder leaves the field: its entry is refused, and
    // the double-click then enters the folder.
    auto* folders = Find<QListWidget>("dirGTP");
    const QRect row = folders->visualItemRect(folders->findItems("runs", Qt::MatchExactly).value(0));
    DoubleClick(folders->viewport(), row.center());
    ASSERT_EQ(Files()->Path(), QString::fromStdString(folder.Path("runs")));
    QLineEdit* weight = Box("txtVehicleWeight");
    EXPECT_TRUE(weight->isVisible());
    EXPECT_FALSE(weight->isEnabled());
    EXPECT_EQ(weight->text(), "0");
    EXPECT_EQ(LabelText("lblVehicleWeight"), "3000");
    EXPECT_EQ(State(), (ControlState{false, false, false, false, false}));
    ASSERT_FALSE(Messages().empty());
    for (const std::string& message : Messages()) EXPECT_EQ(message.rfind("You entered a value", 0), 0u) << message;
}

TEST_F(EditTest, TheFirstChangeEnablesSaveAndUndoReloadsTheStoredValues) {
    Open();
    LoadFile("RUN.GTP", RunFileBuilder().RunName("Stored").Weight(3100).Records(2, 6).Notes("kept").Build());
    EnterEditMode();
    EXPECT_EQ(State(), (ControlState{false, true, false, true, true}));
    EXPECT_FALSE(window->blnDirtyData);
    EXPECT_EQ(window->windowHandle()->title(), "RUN.GTP \u2014 Tachlet v2.00 build 2");
    QTest::keyClicks(Notes(), "x");
    EXPECT_EQ(State(), (ControlState{false, true, true, true, true}));
    EXPECT_TRUE(window->blnDirtyData);
    // The title marks the pending edits.
    EXPECT_EQ(window->windowHandle()->title(), "RUN.GTP* \u2014 Tachlet v2.00 build 2");
    // A field typed into counts as a change too.
    window->UpdateControls(false, true, false, true);
    window->blnDirtyData = false;
    SetField("RunName", "Changed");
    EXPECT_TRUE(State().save);
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
    EXPECT_FALSE(window->blnDirtyData);
    EXPECT_FALSE(window->isWindowModified());
    EXPECT_EQ(Messages().size(), 2u);
}

TEST_F(EditTest, SaveWritesTheFieldsAndNotesAndNothingElse) {
    const RunFileBuilder file = RunFileBuilder().Records(3, 20).Notes("0123456789").Tail(5);
    Open();
    LoadFile("RUN.GTP", file.Build());
    EnterEditMode();
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
    Open();
    const Bytes original = RunFileBuilder().Records(2, 6).Notes("n").Build();
    LoadFile("RUN.GTP", original);
    EnterEditMode();
    SetField("VehicleRedline", "7000");
    SetField("VehicleWeight", "0", false);

    // Without a selection (Ctrl+Space takes it back) the save stops at once,
    // before it leaves the open field: only its two messages.
    QTest::keyClick(Files(), Qt::Key_Space, Qt::ControlModifier);
    ASSERT_TRUE(Files()->FileName().isEmpty());
    Click("cmdSave");
    EXPECT_EQ(Messages(), (std::vector<std::string>{"You must select a PASS file first!", SaveFailed}));
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
        EXPECT_EQ(Read("RUN.GTP"), original);
        EXPECT_FALSE(weight->isHidden());
        EXPECT_TRUE(weight->hasFocus());
        EXPECT_EQ(weight->selectedText(), "0");
        EXPECT_EQ(State(), (ControlState{false, true, true, true, true}));
    }
    const size_t shown = Messages().size();
    QTest::keyClicks(weight, "2800");
    altS();
    EXPECT_EQ(Messages().size(), shown);
    // The weight's two bytes, high first: 2800.
    EXPECT_EQ(Read("RUN.GTP")[147], 0x0A);
    EXPECT_EQ(Read("RUN.GTP")[148], 0xF0);
    EXPECT_EQ(State(), ViewState);
}

}  // namespace
