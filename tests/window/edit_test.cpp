// Edit mode and the save: Edit, typing, Save and Undo, and exactly which bytes
// a save changes in the file.
#include "support/FileTable.h"
#include "window/WindowFixture.h"

namespace {

class EditTest : public WindowTest {
protected:
    void ReplaceNotes(const QString& lines) {
        Notes()->selectAll();
        QTest::keyClick(Notes(), Qt::Key_Delete);
        const QStringList parts = lines.split('\n');
        for (int i = 0; i < parts.size(); ++i) {
            if (i > 0) {
                QTest::keyClick(Notes(), Qt::Key_Return);
            }
            QTest::keyClicks(Notes(), parts[i]);
        }
    }
};

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
