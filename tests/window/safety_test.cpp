// What keeps a save from writing into the wrong place: a load or save runs
// alone, the save writes only into the file the last load read, as that load
// left it, and checks every value before it opens the file.
#include <cstdio>

#include "window/WindowFixture.h"

namespace {

const char* const SaveFailed = "Error saving the PASS file!";

class SafetyTest : public WindowTest {
protected:
    void ChangeWeight(const char* weight) {
        EnterEditMode();
        OpenField("lblVehicleWeight");
        Type("txtVehicleWeight", weight);
        window->txtVehicleWeight_LostFocus();
    }
    void ClickRow(const std::string& name) {
        FileListBox* list = Files();
        const QList<QListWidgetItem*> rows = list->findItems(QString::fromStdString(name), Qt::MatchExactly);
        ASSERT_EQ(rows.size(), 1);
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(rows.front()).center());
    }
};

TEST_F(SafetyTest, NothingStartsAnotherLoadOrSaveWhileALoadRuns) {
    Open();
    Write("A.GTP", RunFileBuilder().RunName("First").Records(3, 4).Notes("a").Build());
    Write("B.GTP", RunFileBuilder().RunName("Second").Records(3, 4).Notes("b").Build());
    Files()->Refresh();
    bool stepRan = false;
    events.inNextRound = [&] {
        stepRan = true;
        ClickRow("B.GTP");
        QTest::keyClick(Files(), Qt::Key_Down);
        Button("cmdSave")->click();
        Button("cmdUndo")->click();
        EXPECT_FALSE(window->LoadRunFile());
        EXPECT_FALSE(window->SaveRunFile());
        window->fileGTP_DblClick();
        window->close();
        EXPECT_TRUE(window->isVisible());
    };
    ClickFile("A.GTP");
    ASSERT_TRUE(stepRan);
    EXPECT_EQ(LabelText("lblRunName"), "First");
    EXPECT_EQ(Files()->FileName(), "A.GTP");
    EXPECT_TRUE(Messages().empty());
    EXPECT_EQ(State(), ViewState);
    // The close asked for during the load happens once it is over.
    EXPECT_TRUE(window->isVisible());
    QCoreApplication::processEvents();
    EXPECT_FALSE(window->isVisible());
}

TEST_F(SafetyTest, NothingStartsALoadWhileASaveRuns) {
    Open();
    Write("B.GTP", RunFileBuilder().RunName("Second").Build());
    LoadFile("A.GTP", RunFileBuilder().RunName("First").Weight(3000).Records(2, 4).Notes("a").Build());
    ChangeWeight("2500");
    bool stepRan = false;
    events.inNextRound = [&] {
        stepRan = true;
        ClickRow("B.GTP");
        Button("cmdUndo")->click();
        window->close();
    };
    QTest::mouseClick(Button("cmdSave"), Qt::LeftButton);
    ASSERT_TRUE(stepRan);
    EXPECT_TRUE(Messages().empty());
    EXPECT_EQ(LabelText("lblRunName"), "First");
    EXPECT_EQ(LabelText("lblVehicleWeight"), "2500");
    EXPECT_EQ(Read("A.GTP")[147], 0x09);
    QCoreApplication::processEvents();
    EXPECT_FALSE(window->isVisible());
}

TEST_F(SafetyTest, AFileWithoutANotesPositionNeverGetsNotes) {
    const struct {
        const char* what;
        RunFileBuilder file;
    } cases[] = {
        {"run data to the end", RunFileBuilder().Records(3, 4).NoNotes()},
        {"no run data", RunFileBuilder().Records(0, 0).Tail(40)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        Open();
        // A file with notes first, whose notes position must not carry over.
        LoadFile("NOTES.GTP", RunFileBuilder().Records(6, 4).Notes("notes").Build());
        const Bytes original = c.file.Build();
        LoadFile("BARE.GTP", original);
        ChangeWeight("2000");
        EXPECT_FALSE(State().notesWritable);
        Notes()->setPlainText("typed anyway");
        QTest::mouseClick(Button("cmdSave"), Qt::LeftButton);
        EXPECT_TRUE(Messages().empty());
        Bytes expected = original;
        expected[147] = 0x07;
        expected[148] = 0xD0;
        EXPECT_EQ(Read("BARE.GTP"), expected);
    }
}

TEST_F(SafetyTest, ValuesThatCannotBeStoredStopTheSaveBeforeAnythingIsWritten) {
    const struct {
        const char* what;
        std::function<void(SafetyTest&)> edit;
        const char* mentioned;
    } cases[] = {
        {"notes over 255 bytes", [](SafetyTest& t) { t.Notes()->setPlainText(QString(256, 'n')); }, "256"},
        {"notes a record long", [](SafetyTest& t) { t.Notes()->setPlainText("abcd"); }, "4"},
        {"a run name character the file lacks",
         [](SafetyTest& t) {
             t.OpenField("lblRunName");
             t.Box("txtRunName")->setText(QStringLiteral("Run \u2603"));
         },
         "\u2603"},
        {"a weight committed by no check",
         [](SafetyTest& t) { t.Label("lblVehicleWeight")->setText("70000"); }, "weight"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        dialogs.script = ScriptedDialogs();
        dialogs.script.AcceptOkBoxes();
        Open();
        const Bytes original = RunFileBuilder().Records(2, 4).Notes("old").Build();
        LoadFile("RUN.GTP", original);
        ChangeWeight("1500");
        c.edit(*this);
        QTest::mouseClick(Button("cmdSave"), Qt::LeftButton);
        const std::vector<std::string> texts = Messages();
        ASSERT_EQ(texts.size(), 2u);
        EXPECT_EQ(texts[0].rfind("The vehicle data cannot be saved: ", 0), 0u) << texts[0];
        EXPECT_NE(texts[0].find(c.mentioned), std::string::npos) << texts[0];
        EXPECT_NE(texts[0].find("Nothing was written"), std::string::npos);
        EXPECT_EQ(texts[1], SaveFailed);
        EXPECT_EQ(Read("RUN.GTP"), original);
    }
}

TEST_F(SafetyTest, AFileThatVanishedIsNotCreatedAgain) {
    Open();
    LoadFile("RUN.GTP", RunFileBuilder().Records(2, 4).Notes("n").Build());
    ChangeWeight("1500");
    std::remove(folder.Path("RUN.GTP").c_str());
    QTest::mouseClick(Button("cmdSave"), Qt::LeftButton);
    ASSERT_EQ(Messages().size(), 2u);
    EXPECT_EQ(Messages()[0],
              "Error (53) - File not found - saving file [RUN.GTP]!\r\n"
              "File may be in use by PASS, corrupt, or otherwise locked.");
    EXPECT_EQ(Messages()[1], SaveFailed);
    EXPECT_FALSE(folder.Has("RUN.GTP"));
}

TEST_F(SafetyTest, AFileChangedSinceItsLoadIsNotWritten) {
    const RunFileBuilder loaded = RunFileBuilder().Records(3, 4).Notes("abcdefghij");
    const struct {
        const char* what;
        Bytes changed;
    } cases[] = {
        {"longer", RunFileBuilder().Records(3, 4).Notes("abcdefghij").Tail(1).Build()},
        {"another version", RunFileBuilder().Version("2.1").Records(3, 4).Notes("abcdefghij").Build()},
        // Same length and version, but one more record moves the notes.
        {"notes moved", RunFileBuilder().Records(4, 4).Notes("ab").Build()},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        ASSERT_EQ(c.changed.size(), loaded.Build().size() + (std::string(c.what) == "longer" ? 1 : 0));
        dialogs.script = ScriptedDialogs();
        dialogs.script.AcceptOkBoxes();
        Open();
        LoadFile("RUN.GTP", loaded.Build());
        ChangeWeight("1500");
        Write("RUN.GTP", c.changed);
        QTest::mouseClick(Button("cmdSave"), Qt::LeftButton);
        ASSERT_EQ(Messages().size(), 2u);
        EXPECT_EQ(Messages()[0],
                  "The file has changed since it was loaded; nothing was written. "
                  "Load it again and repeat your changes.");
        EXPECT_EQ(Messages()[1], SaveFailed);
        EXPECT_EQ(Read("RUN.GTP"), c.changed);
    }
}

TEST_F(SafetyTest, TheSaveWritesOnlyIntoTheFileTheLastLoadRead) {
    Open();
    const Bytes first = RunFileBuilder().RunName("First").Records(2, 4).Notes("a").Build();
    const Bytes second = RunFileBuilder().Version("1.1.1").RunName("Second").Records(5, 9).Build();
    Write("B.GTP", second);
    LoadFile("A.GTP", first);
    ChangeWeight("1500");

    // The selection moved without a load, as after a refresh or a rename.
    Files()->SelectFile("B.GTP");
    QTest::mouseClick(Button("cmdSave"), Qt::LeftButton);
    ASSERT_EQ(Messages().size(), 2u);
    EXPECT_EQ(Messages()[0],
              "The selected file [B.GTP] is not the file that was last loaded; nothing was written.\r\n"
              "Load it again and repeat your changes.");
    EXPECT_EQ(Messages()[1], SaveFailed);
    EXPECT_EQ(Read("A.GTP"), first);
    EXPECT_EQ(Read("B.GTP"), second);

    // A failed load leaves nothing to save into, not even the file before it.
    LoadFile("BROKEN.GTP", RunFileBuilder().Version("x").Build());
    Files()->SelectFile("A.GTP");
    window->cmdSave_Click();
    ASSERT_EQ(Messages().size(), 5u);
    EXPECT_EQ(Messages()[3].rfind("The selected file [A.GTP] is not the file that was last loaded", 0), 0u);
    EXPECT_EQ(Read("A.GTP"), first);
}

}  // namespace
