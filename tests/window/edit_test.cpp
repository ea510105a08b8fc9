// Edit mode and the save: Edit, typing, Save and Undo, and exactly which bytes
// a save changes in the file.
#include "support/FileTable.h"
#include "window/WindowFixture.h"

namespace {

class EditTest : public WindowTest {
protected:
    static void Put(Bytes& file, uint64_t position, const Bytes& bytes) {
        if (file.size() < position - 1 + bytes.size()) {
            file.resize(position - 1 + bytes.size());
        }
        std::copy(bytes.begin(), bytes.end(), file.begin() + static_cast<std::ptrdiff_t>(position - 1));
    }
    static Bytes TextField(const std::string& text, size_t width) {
        Bytes bytes(text.begin(), text.end());
        bytes.push_back(0x00);
        bytes.resize(width, 0xFF);
        return bytes;
    }

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

    void SetField(const char* labelName, const char* boxName, const QString& text) {
        OpenField(labelName);
        Type(boxName, text);
    }

    static constexpr ControlState EditUnchanged{false, true, false, true, true};
    static constexpr ControlState EditChanged{false, true, true, true, true};
};

TEST_F(EditTest, TheFirstChangeInEditModeEnablesSave) {
    Open();
    LoadFile("RUN.GTP", RunFileBuilder().Records(2, 6).Notes("old").Build());
    EnterEditMode();
    EXPECT_EQ(State(), EditUnchanged);
    EXPECT_FALSE(window->blnDirtyData);

    QTest::keyClicks(Notes(), "x");
    EXPECT_EQ(State(), EditChanged);
    EXPECT_TRUE(window->blnDirtyData);
    QTest::keyClicks(Notes(), "yz");
    EXPECT_EQ(State(), EditChanged);

    // A field opened and typed into counts as a change too.
    window->UpdateControls(false, true, false, true);
    window->blnDirtyData = false;
    SetField("lblVehicleRedline", "txtVehicleRedline", "7000");
    EXPECT_EQ(State(), EditChanged);
}

TEST_F(EditTest, UndoReloadsTheStoredValues) {
    Open();
    LoadFile("RUN.GTP", RunFileBuilder().RunName("Stored").Weight(3100).Records(2, 6).Notes("kept").Build());
    EnterEditMode();
    SetField("lblRunName", "txtRunName", "Changed");
    window->txtRunName_LostFocus();
    SetField("lblVehicleWeight", "txtVehicleWeight", "1200");
    window->txtVehicleWeight_LostFocus();
    ReplaceNotes("gone");
    ASSERT_EQ(LabelText("lblRunName"), "Changed");
    // A field whose entry was rejected is still open when Undo is pressed.
    SetField("lblVehicleRedline", "txtVehicleRedline", "0");
    window->txtVehicleRedline_LostFocus();
    ASSERT_FALSE(Box("txtVehicleRedline")->isHidden());

    QTest::mouseClick(Button("cmdUndo"), Qt::LeftButton);
    EXPECT_EQ(LabelText("lblRunName"), "Stored");
    EXPECT_EQ(LabelText("lblVehicleWeight"), "3100");
    EXPECT_EQ(Notes()->toPlainText(), "kept");
    EXPECT_TRUE(Box("txtVehicleRedline")->isHidden());
    EXPECT_FALSE(Label("lblVehicleRedline")->isHidden());
    EXPECT_EQ(LabelText("lblVehicleRedline"), "6500");
    EXPECT_EQ(State(), ViewState);
    EXPECT_FALSE(window->blnDirtyData);
    // The click on Undo left the rejected field once more before reloading.
    EXPECT_EQ(Messages().size(), 2u);
}

TEST_F(EditTest, SaveWritesTheFieldsAndNotesAndNothingElse) {
    for (const char* version : {"2.0", "1.1.1"}) {
        SCOPED_TRACE(version);
        const RunFileBuilder builder =
            RunFileBuilder().Version(version).Records(3, 20).Notes("0123456789").Tail(5);
        const Bytes original = builder.Build();
        Open();
        LoadFile("RUN.GTP", original);
        EnterEditMode();
        SetField("lblRunName", "txtRunName", "Sunday");
        SetField("lblVehicleName", "txtVehicleName", "Miata");
        SetField("lblVehicleWeight", "txtVehicleWeight", "1.5");
        window->txtVehicleWeight_LostFocus();
        SetField("lblVehicleRedline", "txtVehicleRedline", "65535");
        SetField("lblVehicleShiftPoint", "txtVehicleShiftPoint", "200");
        SetField("lblVehicleRolloutLength", "txtVehicleRolloutLength", "2.5");
        if (std::string(version) == "2.0") {
            SetField("lblPitchFactor", "txtPitchFactor", "9.9");
        }
        ReplaceNotes("a\nb");
        // The open fields are committed by the save itself.
        QTest::mouseClick(Button("cmdSave"), Qt::LeftButton);
        EXPECT_TRUE(Messages().empty());
        EXPECT_EQ(LabelText("lblVehicleWeight"), "1.5");

        Bytes expected = original;
        Put(expected, 20, TextField("Sunday", 48));
        if (std::string(version) == "2.0") {
            Put(expected, 77, {99});
        }
        Put(expected, 132, TextField("Miata", 16));
        Put(expected, 148, {0x00, 0x02});
        Put(expected, 150, {25});
        Put(expected, 152, {0xFF, 0xFF});
        Put(expected, 154, {0x00, 0xC8});
        // Shorter notes leave the end of the longer old ones behind their NUL.
        Put(expected, builder.NotesPosition(), {3, 'a', '\r', 'b', 0x00});
        EXPECT_EQ(Read("RUN.GTP"), expected);
        EXPECT_EQ(State(), ViewState);
        EXPECT_FALSE(window->blnDirtyData);

        // A reload shows what was written.
        QTest::mouseClick(Button("cmdEdit"), Qt::LeftButton);
        QTest::mouseClick(Button("cmdUndo"), Qt::LeftButton);
        EXPECT_EQ(LabelText("lblVehicleWeight"), "2");
        EXPECT_EQ(LabelText("lblVehicleShiftPoint"), "200");
        EXPECT_EQ(Notes()->toPlainText(), "a\nb");
    }
}

TEST_F(EditTest, NotesLongerThanBeforeGrowTheFile) {
    const RunFileBuilder builder = RunFileBuilder().Records(1, 4).Notes("ab");
    const Bytes original = builder.Build();
    Open();
    LoadFile("RUN.GTP", original);
    EnterEditMode();
    ReplaceNotes("abcdef");
    QTest::mouseClick(Button("cmdSave"), Qt::LeftButton);
    Bytes expected = original;
    Put(expected, builder.NotesPosition(), {6, 'a', 'b', 'c', 'd', 'e', 'f', 0x00});
    Put(expected, 20, TextField("Run 1", 48));
    Put(expected, 132, TextField("Car", 16));
    EXPECT_EQ(Read("RUN.GTP"), expected);

    // The save after it checks the file against the longer length it left.
    EnterEditMode();
    ReplaceNotes("");
    QTest::mouseClick(Button("cmdSave"), Qt::LeftButton);
    EXPECT_TRUE(Messages().empty());
    Put(expected, builder.NotesPosition(), {0, 0x00});
    EXPECT_EQ(Read("RUN.GTP"), expected);
}

TEST_F(EditTest, AFailedSaveShowsItsMessageThenTheCommandsAndWritesNothing) {
    const Bytes original = RunFileBuilder().Records(2, 6).Notes("n").Build();
    Open();
    LoadFile("RUN.GTP", original);
    EnterEditMode();
    SetField("lblVehicleWeight", "txtVehicleWeight", "1234");
    window->txtVehicleWeight_LostFocus();

    const int32_t held = FileTable::FreeFile();
    FileTable::Open(folder.Path("RUN.GTP"), FileTable::OpenMode::Read, held);
    QTest::mouseClick(Button("cmdSave"), Qt::LeftButton);
    FileTable::Close(held);

    const std::vector<DialogRecord> boxes = Boxes();
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[0].text,
              "Error (70) - Permission denied - saving file [RUN.GTP]!\r\n"
              "File may be in use by PASS, corrupt, or otherwise locked.");
    EXPECT_EQ(boxes[0].icon, MessageIcon::Critical);
    EXPECT_EQ(boxes[1].text, "Error saving the PASS file!");
    EXPECT_EQ(boxes[1].icon, MessageIcon::Exclamation);
    EXPECT_EQ(Read("RUN.GTP"), original);
    EXPECT_EQ(State(), ViewState);
    EXPECT_TRUE(window->blnDirtyData);
    EXPECT_EQ(LabelText("lblVehicleWeight"), "1234");
    EXPECT_EQ(window->RunFileHandle.Handle(), 0);

    // Without a selection the save stops at once, with both messages.
    Files()->SelectFile(QString());
    QTest::mouseClick(Button("cmdEdit"), Qt::LeftButton);
    window->cmdSave_Click();
    ASSERT_EQ(Messages().size(), 4u);
    EXPECT_EQ(Messages()[2], "You must select a PASS file first!");
    EXPECT_EQ(Messages()[3], "Error saving the PASS file!");
}

TEST_F(EditTest, SavingARejectedEntryShowsItsMessageAgainAndWritesTheCommittedValue) {
    const RunFileBuilder builder = RunFileBuilder().Weight(3000).Records(2, 6).Notes("n");
    Open();
    LoadFile("RUN.GTP", builder.Build());
    EnterEditMode();
    SetField("lblVehicleWeight", "txtVehicleWeight", "0");
    window->txtVehicleWeight_LostFocus();
    ASSERT_EQ(Messages().size(), 1u);

    window->cmdSave_Click();
    ASSERT_EQ(Messages().size(), 2u);
    EXPECT_EQ(Messages()[1], Messages()[0]);
    const Bytes saved = Read("RUN.GTP");
    EXPECT_EQ(saved[147], 0x0B);
    EXPECT_EQ(saved[148], 0xB8);
}

}  // namespace
