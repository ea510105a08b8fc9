// The vehicle-data fields: opening them in edit mode, and the check of each
// entry when the field is left.
#include "window/WindowFixture.h"

namespace {

class FieldsTest : public WindowTest {
protected:
    void LoadForEditing() {
        Open();
        LoadFile("RUN.GTP", RunFileBuilder().Weight(3000).Rollout(25).Pitch(10).Records(2, 4).Notes("n").Build());
        EnterEditMode();
    }
};

TEST_F(FieldsTest, ValueLabelsOpenTheirFieldOnlyInEditMode) {
    Open();
    LoadFile("RUN.GTP", RunFileBuilder().Weight(3000).Build());
    for (const FieldName& field : Fields) {
        OpenField(std::string("lbl") + field.name);
        EXPECT_TRUE(Box(std::string("txt") + field.name)->isHidden()) << field.name;
        EXPECT_FALSE(Label(std::string("lbl") + field.name)->isHidden()) << field.name;
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

TEST_F(FieldsTest, NumberFieldsCheckTheirRangeWhenLeft) {
    LoadForEditing();
    struct Case {
        const char* field;
        const char* entry;
        bool accepted;
        const char* shown = nullptr;  // in the box after the leave, when not as entered
    };
    const Case cases[] = {
        {"VehicleWeight", "0", false},       {"VehicleWeight", "65536", false}, {"VehicleWeight", "", false},
        {"VehicleWeight", "abc", false},     {"VehicleWeight", "0.5", false},   {"VehicleWeight", "1e3", false},
        {"VehicleWeight", "65535", true},    {"VehicleWeight", "1", true},      {"VehicleWeight", "1.5", true},
        {"VehicleWeight", " 200 ", true},    {"VehicleRedline", "70000", false}, {"VehicleShiftPoint", "x", false},
        // The rollout length is rounded to one decimal before it is checked.
        {"VehicleRolloutLength", "2.25", true, "2.3"}, {"VehicleRolloutLength", "7", true, "7.0"},
        {"VehicleRolloutLength", ".5", true, "0.5"},   {"VehicleRolloutLength", "25.5", true},
        {"VehicleRolloutLength", "0", true, "0.0"},    {"VehicleRolloutLength", "25.6", false},
        {"VehicleRolloutLength", "-1", false, "-1.0"}, {"VehicleRolloutLength", "abc", false},
        {"PitchFactor", "9.9", true}, {"PitchFactor", "0", true},  {"PitchFactor", "10", false},
        {"PitchFactor", "-1", false}, {"PitchFactor", "", false},
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

TEST_F(FieldsTest, NamesAreCommittedExactlyAsTypedUpToTheirLength) {
    LoadForEditing();
    for (const char* name : {"  Run 7  ", "", "A name of forty-seven characters, give or take"}) {
        EXPECT_TRUE(SetField("RunName", name));
        EXPECT_EQ(LabelText("lblRunName"), name);
        EXPECT_TRUE(SetField("VehicleName", name));
        EXPECT_EQ(LabelText("lblVehicleName"), QString(name).left(15));
    }
    EXPECT_TRUE(Messages().empty());
}

TEST_F(FieldsTest, LeavingARejectedFieldShowsOneMessagePerLeave) {
    LoadForEditing();
    SetField("VehicleWeight", "0", false);
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

}  // namespace
