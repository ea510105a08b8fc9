// Edit mode: the vehicle-data fields and the check of each entry when it is
// left, the notes, Save and Undo, and exactly which bytes a save changes.
#include "support/FileTable.h"
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

TEST_F(EditTest, TheFirstChangeEnablesSaveAndUndoReloadsTheStoredValues) {
    Open();
    LoadFile("RUN.GTP", RunFileBuilder().RunName("Stored").Weight(3100).Records(2, 6).Notes("kept").Build());
    EnterEditMode();
    EXPECT_EQ(State(), (ControlState{false, true, false, true, true}));
    EXPECT_FALSE(window->blnDirtyData);
    QTest::keyClicks(Notes(), "x");
    EXPECT_EQ(State(), (ControlState{false, true, true, true, true}));
    EXPECT_TRUE(window->blnDirtyData);
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
    EXPECT_EQ(Messages().size(), 2u);
}

TEST_F(EditTest, SaveWritesTheFieldsAndNotesAndNothingElse) {
    for (const char* version : {"2.0", "1.1.1"}) {
        SCOPED_TRACE(version);
        const RunFileBuilder file = RunFileBuilder().Version(version).Records(3, 20).Notes("0123456789").Tail(5);
        Open();
        LoadFile("RUN.GTP", file.Build());
        EnterEditMode();
        // Open fields are committed by the save itself.
        const std::pair<const char*, const char*> entries[] = {
            {"RunName", "Sunday"},          {"VehicleName", "Miata"},       {"VehicleRedline", "65535"},
            {"VehicleShiftPoint", "200"},   {"VehicleRolloutLength", "2.4"}, {"PitchFactor", "9.9"}};
        for (const auto& [field, entry] : entries) {
            if (std::string(field) != "PitchFactor" || std::string(version) == "2.0") {
                SetField(field, entry, false);
            }
        }
        SetField("VehicleWeight", "1.5");
        ReplaceNotes("a\nb");
        Click("cmdSave");
        EXPECT_TRUE(Messages().empty());
        EXPECT_EQ(LabelText("lblVehicleWeight"), "1.5");
        // Pitch is written only where the version has it; shorter notes
        // leave the end of the old ones behind their NUL.
        RunFileBuilder expected = RunFileBuilder(file).RunName("Sunday").VehicleName("Miata").Weight(2);
        expected.Redline(65535).ShiftPoint(200).Rollout(24).Pitch(std::string(version) == "2.0" ? 99 : 10);
        expected.Raw(file.NotesPosition(), {3, 'a', '\r', 'b', 0x00});
        EXPECT_EQ(Read("RUN.GTP"), expected.Build());
        EXPECT_EQ(State(), ViewState);
        EXPECT_FALSE(window->blnDirtyData);
    }
}

TEST_F(EditTest, NotesLongerThanBeforeGrowTheFile) {
    const RunFileBuilder file = RunFileBuilder().Records(1, 4).Notes("ab");
    Open();
    LoadFile("RUN.GTP", file.Build());
    EnterEditMode();
    ReplaceNotes("abcdef");
    Click("cmdSave");
    RunFileBuilder expected = RunFileBuilder(file).Notes("abcdef").Raw(file.NotesPosition() + 7, {0});
    EXPECT_EQ(Read("RUN.GTP"), expected.Build());
    // The save after it checks the file against the longer length it left.
    EnterEditMode();
    ReplaceNotes("");
    Click("cmdSave");
    EXPECT_TRUE(Messages().empty());
    EXPECT_EQ(Read("RUN.GTP"), expected.Raw(file.NotesPosition(), {0, 0}).Build());
}

TEST_F(EditTest, AFailedSaveShowsItsMessageThenTheCommandsAndWritesNothing) {
    const Bytes original = RunFileBuilder().Records(2, 6).Notes("n").Build();
    Open();
    LoadFile("RUN.GTP", original);
    EnterEditMode();
    SetField("VehicleWeight", "1234");
    const int32_t held = FileTable::FreeFile();
    FileTable::Open(folder.Path("RUN.GTP"), FileTable::OpenMode::Read, held);
    Click("cmdSave");
    FileTable::Close(held);

    EXPECT_EQ(Messages(), (std::vector<std::string>{"Error (70) - Permission denied - saving file [RUN.GTP]!\r\n"
                                                    "File may be in use by PASS, corrupt, or otherwise locked.",
                                                    "Error saving the PASS file!"}));
    EXPECT_EQ(Boxes()[0].icon, MessageIcon::Critical);
    EXPECT_EQ(Boxes()[1].icon, MessageIcon::Exclamation);
    EXPECT_EQ(Read("RUN.GTP"), original);
    // Back to viewing, with the edits kept on the screen and still unsaved.
    EXPECT_EQ(State(), ViewState);
    EXPECT_TRUE(window->blnDirtyData);
    EXPECT_EQ(LabelText("lblVehicleWeight"), "1234");

    // Without a selection the save stops at once, with both messages.
    Files()->SelectFile(QString());
    Click("cmdEdit");
    window->cmdSave_Click();
    ASSERT_EQ(Messages().size(), 4u);
    EXPECT_EQ(Messages()[2], "You must select a PASS file first!");
    EXPECT_EQ(Messages()[3], "Error saving the PASS file!");

    // A rejected entry left open is checked again by the save, and the value
    // committed before it is written.
    ClickFile("RUN.GTP");
    EnterEditMode();
    ASSERT_FALSE(SetField("VehicleWeight", "0"));
    window->cmdSave_Click();
    ASSERT_EQ(Messages().size(), 6u);
    EXPECT_EQ(Messages()[5], Messages()[4]);
    EXPECT_EQ(Read("RUN.GTP")[147], 0x0B);
    EXPECT_EQ(Read("RUN.GTP")[148], 0xB8);
}

}  // namespace
