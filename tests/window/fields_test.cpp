// The vehicle-data fields: opening them in edit mode, and the check of each
// entry when the field is left.
#include "window/WindowFixture.h"

namespace {

std::string RangeMessage(const std::string& range) {
    return "You entered a value that is out of the allowable range (" + range + ").\r\nPlease correct this now.";
}

class FieldsTest : public WindowTest {
protected:
    void LoadForEditing() {
        Open();
        LoadFile("RUN.GTP", RunFileBuilder().Weight(3000).Rollout(25).Pitch(10).Records(2, 4).Notes("n").Build());
        EnterEditMode();
    }

    // Opens the field, types the entry and leaves the field; true when it was
    // committed (its box closed again).
    bool Enter(const char* labelName, const char* boxName, void (frmMain::*leave)(), const QString& entry) {
        OpenField(labelName);
        Type(boxName, entry);
        (window.get()->*leave)();
        return Box(boxName)->isHidden();
    }
};

TEST_F(FieldsTest, ValueLabelsOpenTheirFieldOnlyInEditMode) {
    Open();
    LoadFile("RUN.GTP", RunFileBuilder().Weight(3000).Build());
    const char* const pairs[][2] = {{"lblRunName", "txtRunName"},
                                    {"lblVehicleName", "txtVehicleName"},
                                    {"lblVehicleWeight", "txtVehicleWeight"},
                                    {"lblVehicleRedline", "txtVehicleRedline"},
                                    {"lblVehicleShiftPoint", "txtVehicleShiftPoint"},
                                    {"lblVehicleRolloutLength", "txtVehicleRolloutLength"},
                                    {"lblPitchFactor", "txtPitchFactor"}};
    for (const auto& [label, box] : pairs) {
        OpenField(label);
        EXPECT_TRUE(Box(box)->isHidden()) << box;
        EXPECT_FALSE(Label(label)->isHidden()) << label;
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
    EXPECT_EQ(weight->geometry(), Label("lblVehicleWeight")->geometry());
}

TEST_F(FieldsTest, WholeNumberFieldsTakeOneTo65535) {
    LoadForEditing();
    struct Case {
        const char* entry;
        bool accepted;
    };
    const Case cases[] = {{"0", false},    {"65536", false}, {"", false},  {"abc", false}, {"0.5", false},
                          {"-3", false},   {"1e3", false},   {"65535", true}, {"1", true}, {"1.5", true},
                          {" 200 ", true}};
    std::string committed = "3000";
    for (const Case& c : cases) {
        SCOPED_TRACE(c.entry);
        const size_t before = Messages().size();
        const bool closed =
            Enter("lblVehicleWeight", "txtVehicleWeight", &frmMain::txtVehicleWeight_LostFocus, c.entry);
        EXPECT_EQ(closed, c.accepted);
        if (c.accepted) {
            committed = c.entry;
            EXPECT_EQ(Messages().size(), before);
        } else {
            ASSERT_EQ(Messages().size(), before + 1);
            EXPECT_EQ(Messages().back(), RangeMessage("1-65535"));
            EXPECT_EQ(Boxes().back().icon, MessageIcon::Critical);
            // The entry stays, all of it selected, for the user to correct.
            EXPECT_EQ(Box("txtVehicleWeight")->text(), c.entry);
            EXPECT_EQ(Box("txtVehicleWeight")->selectedText(), c.entry);
            EXPECT_TRUE(Box("txtVehicleWeight")->hasFocus());
            Box("txtVehicleWeight")->setText(QString::fromStdString(committed));
            window->txtVehicleWeight_LostFocus();
        }
        EXPECT_EQ(LabelText("lblVehicleWeight").toStdString(), committed);
    }
    // Redline and shift point share the check.
    EXPECT_FALSE(Enter("lblVehicleRedline", "txtVehicleRedline", &frmMain::txtVehicleRedline_LostFocus, "70000"));
    EXPECT_EQ(Messages().back(), RangeMessage("1-65535"));
    Box("txtVehicleRedline")->setText("6000");
    window->txtVehicleRedline_LostFocus();
    EXPECT_FALSE(
        Enter("lblVehicleShiftPoint", "txtVehicleShiftPoint", &frmMain::txtVehicleShiftPoint_LostFocus, "x"));
    EXPECT_EQ(Messages().back(), RangeMessage("1-65535"));
}

TEST_F(FieldsTest, RolloutLengthIsRoundedToOneDecimalThenChecked) {
    LoadForEditing();
    struct Case {
        const char* entry;
        const char* shown;
        bool accepted;
    };
    const Case cases[] = {{"2.25", "2.3", true},  {"2.24", "2.2", true},   {"7", "7.0", true},
                          {".5", "0.5", true},    {"0.05", "0.1", true},   {"25.5", "25.5", true},
                          {"0", "0.0", true},     {"25.6", "25.6", false}, {"30", "30.0", false},
                          {"abc", "abc", false},  {"-1", "-1.0", false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.entry);
        const size_t before = Messages().size();
        const bool closed = Enter("lblVehicleRolloutLength", "txtVehicleRolloutLength",
                                  &frmMain::txtVehicleRolloutLength_LostFocus, c.entry);
        EXPECT_EQ(closed, c.accepted);
        EXPECT_EQ(Box("txtVehicleRolloutLength")->text(), c.shown);
        if (c.accepted) {
            EXPECT_EQ(LabelText("lblVehicleRolloutLength"), c.shown);
        } else {
            ASSERT_EQ(Messages().size(), before + 1);
            EXPECT_EQ(Messages().back(), RangeMessage("0-25.5"));
            Box("txtVehicleRolloutLength")->setText("2.5");
            window->txtVehicleRolloutLength_LostFocus();
        }
    }
}

TEST_F(FieldsTest, PitchFactorTakesZeroToNinePointNine) {
    LoadForEditing();
    const std::pair<const char*, bool> cases[] = {{"9.9", true}, {"0", true},     {"10", false},
                                                  {"-1", false}, {"99", false},  {"", false}};
    for (const auto& [entry, accepted] : cases) {
        SCOPED_TRACE(entry);
        const size_t before = Messages().size();
        EXPECT_EQ(Enter("lblPitchFactor", "txtPitchFactor", &frmMain::txtPitchFactor_LostFocus, entry), accepted);
        if (accepted) {
            EXPECT_EQ(LabelText("lblPitchFactor"), entry);
        } else {
            ASSERT_EQ(Messages().size(), before + 1);
            EXPECT_EQ(Messages().back(), RangeMessage("0-9.9"));
            Box("txtPitchFactor")->setText("1.0");
            window->txtPitchFactor_LostFocus();
        }
    }
}

TEST_F(FieldsTest, NamesAreCommittedExactlyAsTyped) {
    LoadForEditing();
    for (const char* name : {"  Run 7  ", "", "A name of forty-seven characters, give or take"}) {
        EXPECT_TRUE(Enter("lblRunName", "txtRunName", &frmMain::txtRunName_LostFocus, name));
        EXPECT_EQ(LabelText("lblRunName"), name);
        EXPECT_TRUE(Enter("lblVehicleName", "txtVehicleName", &frmMain::txtVehicleName_LostFocus, name));
        EXPECT_EQ(LabelText("lblVehicleName"), QString(name).left(15));
    }
    EXPECT_TRUE(Messages().empty());
}

TEST_F(FieldsTest, LeavingARejectedFieldShowsOneMessagePerLeave) {
    LoadForEditing();
    OpenField("lblVehicleWeight");
    Type("txtVehicleWeight", "0");
    ASSERT_TRUE(Box("txtVehicleWeight")->hasFocus());
    // The focus moves away while the message is up, as when a message box
    // takes it; that move is no second leave of the field.
    dialogs.whileShown = [this] { Notes()->setFocus(Qt::OtherFocusReason); };
    window->txtVehicleWeight_LostFocus();
    dialogs.whileShown = nullptr;
    ASSERT_EQ(Messages().size(), 1u);
    EXPECT_TRUE(Box("txtVehicleWeight")->hasFocus());
    EXPECT_FALSE(Box("txtVehicleWeight")->isHidden());

    // Moving the focus to another control leaves the field: one message.
    Notes()->setFocus(Qt::TabFocusReason);
    EXPECT_EQ(Messages().size(), 2u);
    EXPECT_TRUE(Box("txtVehicleWeight")->hasFocus());

    // Another window taking the focus does not leave the field.
    QWidget other;
    other.show();
    other.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&other));
    EXPECT_EQ(Messages().size(), 2u);

    // A corrected entry is committed when the focus moves on.
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    Box("txtVehicleWeight")->setFocus();
    Type("txtVehicleWeight", "2800");
    Notes()->setFocus(Qt::TabFocusReason);
    EXPECT_EQ(Messages().size(), 2u);
    EXPECT_EQ(LabelText("lblVehicleWeight"), "2800");
    EXPECT_TRUE(Box("txtVehicleWeight")->isHidden());
}

TEST_F(FieldsTest, UpdateControlsSwitchesEnabledStatesAndNothingElse) {
    LoadForEditing();
    OpenField("lblVehicleRedline");
    window->UpdateControls(true, false, false, false);
    EXPECT_EQ(State(), ViewState);
    // An open field stays open while it is locked; the notes stay enabled.
    EXPECT_FALSE(Box("txtVehicleRedline")->isHidden());
    EXPECT_TRUE(Notes()->isEnabled());
    EXPECT_FALSE(Box("txtPitchFactor")->isEnabled());
    window->UpdateControls(false, true, true, true);
    EXPECT_EQ(State(), (ControlState{false, true, true, true, true}));
    EXPECT_TRUE(Box("txtPitchFactor")->isEnabled());
}

}  // namespace
