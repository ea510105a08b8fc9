// What keeps a save from the wrong place: a load or save runs alone, and the
// save writes only into the file the last load read, checking every value first.

#include "window/WindowFixture.h"

namespace {

class SafetyTest : public WindowTest {
protected:
    // Loads a file and changes its weight to 1500.
    Bytes LoadAndEdit(const RunFileBuilder& file = RunFileBuilder().Records(2, 4).Notes("old")) {
        LoadFile("RUN.GTP", file.Build());
        ChangeWeight("1500");
        return file.Build();
    }
};

TEST_F(SafetyTest, NothingStartsAnotherLoadOrSaveOrFileCommandWhileALoadRuns) {
    Open();
    Write("B.GTP", RunFileBuilder().RunName("Second").Records(3, 4).Notes("b").Build());
    LoadFile("A.GTP", RunFileBuilder().RunName("First").Records(3, 4).Notes("a").Build());
    bool stepRan = false;
    events.inNextRound = [&] {
        stepRan = true;
        Write("C.GTP", RunFileBuilder().Build());
        ClickFile("B.GTP", false);
        QTest::keyClick(Files(), Qt::Key_Down);
        Button("cmdSave")->click();
        Button("cmdUndo")->click();
        EXPECT_FALSE(LoadRunFile());
        EXPECT_FALSE(SaveRunFile());
        QTest::mouseDClick(Files()->viewport(), Qt::LeftButton, {},
                           Files()->visualItemRect(Files()->currentItem()).center());
        for (const char* name : {"mnuFilePopupDelete", "mnuFilePopupRename", "mnuFilePopupOpen",
                                 "mnuFilePopupRefresh", "mnuFilePopupEdit"})
            Trigger(name);
        QTest::keyClick(Files(), Qt::Key_Delete);
        QTest::keyClick(Files(), Qt::Key_F5);
        for (const char* link : {"lblAbout", "lblVersionHistory"}) QTest::mouseClick(Label(link), Qt::LeftButton);
        window->close();
        EXPECT_TRUE(window->isVisible());
    };
    ClickFile("A.GTP");
    ASSERT_TRUE(stepRan);
    EXPECT_EQ(LabelText("lblRunName"), "First");
    EXPECT_EQ(Files()->FileName(), "A.GTP");
    EXPECT_TRUE(Boxes().empty());
    EXPECT_EQ(State(), ViewState);
    EXPECT_TRUE(folder.Has("A.GTP"));
    EXPECT_TRUE(Files()->findItems("C.GTP", Qt::MatchExactly).isEmpty());
    // The close asked for during the load happens once it is over.
    EXPECT_TRUE(window->isVisible());
    QCoreApplication::processEvents();
    EXPECT_FALSE(window->isVisible());
}

TEST_F(SafetyTest, NothingStartsALoadWhileASaveRunsAndNoNotesGoWhereTheFileHasNone) {
    // Which files have no notes position is the run-data scan's business.
    const RunFileBuilder file = RunFileBuilder().RunName("First").Records(3, 4).NoNotes();
    Open();
    Write("B.GTP", RunFileBuilder().RunName("Second").Build());
    // A file with notes first, whose notes position must not carry over.
    LoadFile("NOTES.GTP", RunFileBuilder().Records(6, 4).Notes("notes").Build());
    LoadAndEdit(file);
    EXPECT_FALSE(State().notesWritable);
    Notes()->setPlainText("typed anyway");
    bool stepRan = false;
    events.inNextRound = [&] {
        stepRan = true;
        ClickFile("B.GTP", false);
        Button("cmdUndo")->click();
        window->close();
    };
    Click("cmdSave");
    ASSERT_TRUE(stepRan);
    EXPECT_TRUE(Messages().empty());
    EXPECT_EQ(LabelText("lblRunName"), "First");
    EXPECT_EQ(LabelText("lblVehicleWeight"), "1500");
    EXPECT_EQ(Read("RUN.GTP"), RunFileBuilder(file).Weight(1500).Build());
    QCoreApplication::processEvents();
    EXPECT_FALSE(window->isVisible());
}

TEST_F(SafetyTest, AValueThatCannotBeStoredIsNamedAndNothingIsWritten) {
    // Which values the core refuses is its tests'; here the window's wording.
    Open();
    const Bytes original = LoadAndEdit();
    OpenField("lblRunName");
    Box("txtRunName")->setText("Run \u2603");
    Click("cmdSave");
    const Texts texts = Messages();
    ASSERT_EQ(texts.size(), 2u);
    EXPECT_EQ(texts[0].rfind("The vehicle data cannot be saved: The run name holds the character \"\u2603\"", 0), 0u)
        << texts[0];
    EXPECT_NE(texts[0].find("Nothing was written; correct it and save again."), std::string::npos);
    EXPECT_EQ(texts[1], SaveFailed);
    EXPECT_EQ(Read("RUN.GTP"), original);
    EXPECT_TRUE(State().save);
}

TEST_F(SafetyTest, TheSaveWritesOnlyIntoTheFileTheLastLoadRead) {
    Open();
    const Bytes second = RunFileBuilder().Version("1.1.1").RunName("Second").Records(5, 9).Build();
    Write("B.GTP", second);
    const Bytes first = LoadAndEdit();
    // The selection moved without a load, as after a refresh or a rename.
    Files()->SelectFile("B.GTP");
    Click("cmdSave");
    EXPECT_EQ(Messages(), (Texts{"The selected file [B.GTP] is not the file that was last loaded; nothing was "
                                 "written.\r\nLoad it again and repeat your changes.",
                                 SaveFailed}));
    EXPECT_EQ(Read("RUN.GTP"), first);
    EXPECT_EQ(Read("B.GTP"), second);
}

}  // namespace
