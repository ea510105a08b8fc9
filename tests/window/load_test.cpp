// Loading a run file into the window: what each label shows, the record count,
// the notes, the damaged-records question and the failures.
#include <QDir>

#include "support/FileTable.h"
#include "window/WindowFixture.h"

namespace {

const QColor Blue(0, 0, 255);
const QColor Red(255, 0, 0);

std::string LoadFailure(int number, const std::string& description, const std::string& name) {
    return "Error (" + std::to_string(number) + ") - " + description + " - loading file [" + name +
           "]!\r\nFile may be in use by PASS, corrupt, or otherwise locked.";
}

class LoadTest : public WindowTest {};

struct VersionCase {
    const char* version;
    bool pitchShown;
    const char* pitchText;
};

TEST_F(LoadTest, ShowsTheFieldsOfEachVersionAndReadsRunDataFromItsStart) {
    for (const VersionCase& c : {VersionCase{"1.1.1", false, "n/a"}, VersionCase{"2.0", true, "9.9"}}) {
        SCOPED_TRACE(c.version);
        Open();
        LoadFile("RUN.GTP", RunFileBuilder()
                                .Version(c.version)
                                .RunName("Quarter mile")
                                .VehicleName("Roadster")
                                .Weight(40000)
                                .Rollout(255)
                                .Redline(7200)
                                .ShiftPoint(6800)
                                .Pitch(99)
                                .Records(3, 20)
                                .Notes("after")
                                .Build());
        EXPECT_EQ(LabelText("lblPASSVersion"), QStringLiteral("PASS Version ") + c.version);
        EXPECT_EQ(Label("lblPASSVersion")->palette().color(QPalette::WindowText), Blue);
        EXPECT_EQ(LabelText("lblRunName"), "Quarter mile");
        EXPECT_EQ(LabelText("lblVehicleName"), "Roadster");
        EXPECT_EQ(LabelText("lblVehicleWeight"), "40000");
        EXPECT_EQ(LabelText("lblVehicleRolloutLength"), "25.5");
        EXPECT_EQ(LabelText("lblVehicleRedline"), "7200");
        EXPECT_EQ(LabelText("lblVehicleShiftPoint"), "6800");
        EXPECT_EQ(LabelText("lblPitchFactor"), c.pitchText);
        EXPECT_EQ(Label("lblPitchFactor")->isVisible(), c.pitchShown);
        EXPECT_EQ(Label("lblPitchFactorLabel")->isVisible(), c.pitchShown);
        // Run data read from the wrong start would not count three records
        // and find the notes behind them.
        EXPECT_EQ(LabelText("lblRecordsRead"), "3 record(s) read.");
        EXPECT_EQ(window->lngNumRecords, 3);
        EXPECT_EQ(Notes()->toPlainText(), "after");
        EXPECT_EQ(State(), ViewState);
        EXPECT_FALSE(window->blnDirtyData);
        EXPECT_TRUE(Find<QAction>("mnuFilePopupEdit")->isEnabled());
        EXPECT_TRUE(Messages().empty());
    }
}

TEST_F(LoadTest, CountsRecordsAndShowsNotesWithTheirLineBreaks) {
    Open();
    LoadFile("NONE.GTP", RunFileBuilder().Records(0, 0).Build());
    EXPECT_EQ(LabelText("lblRecordsRead"), "No run data found!");
    EXPECT_TRUE(Label("lblRecordsRead")->isVisible());
    EXPECT_EQ(window->lngNumRecords, 0);
    EXPECT_TRUE(Notes()->toPlainText().isEmpty());

    LoadFile("FIVE.GTP", RunFileBuilder().Records(5, 20).Notes("Dry\rWarm").Build());
    EXPECT_EQ(LabelText("lblRecordsRead"), "5 record(s) read.");
    EXPECT_EQ(Notes()->toPlainText(), "Dry\nWarm");
    EXPECT_EQ(Notes()->document()->blockCount(), 2);

    // Run data that reaches the end of the file: counted, and no notes.
    LoadFile("CUT.GTP", RunFileBuilder().Records(4, 10).NoNotes().Build());
    EXPECT_EQ(LabelText("lblRecordsRead"), "4 record(s) read.");
    EXPECT_TRUE(Notes()->toPlainText().isEmpty());
    EXPECT_TRUE(Messages().empty());
    EXPECT_EQ(State(), ViewState);
}

TEST_F(LoadTest, OffersTheListOfDamagedRecords) {
    const RunFileBuilder file = RunFileBuilder().Records(6, 20).DamagedRecord(1).DamagedRecord(4).Notes("x");
    const std::vector<uint64_t> at = file.DamagedPositions();
    ASSERT_EQ(at.size(), 2u);
    const std::string list = "Error(s) found at: " + std::to_string(at[0]) + ", " + std::to_string(at[1]);
    const std::string question =
        "Warning:  errors were found in the run data of GTP file, it may be corrupted.\r\n"
        "Do you want to see where the errors were found?";

    for (const MessageAnswer answer : {MessageAnswer::Yes, MessageAnswer::No}) {
        SCOPED_TRACE(answer == MessageAnswer::Yes ? "Yes" : "No");
        dialogs.script = ScriptedDialogs();
        dialogs.script.Answer(answer);
        if (answer == MessageAnswer::Yes) {
            dialogs.script.Answer(MessageAnswer::OK);
        }
        Open();
        LoadFile("BAD.GTP", file.Build());
        const std::vector<DialogRecord> boxes = Boxes();
        ASSERT_EQ(boxes.size(), answer == MessageAnswer::Yes ? 2u : 1u);
        EXPECT_EQ(boxes[0].text, question);
        EXPECT_EQ(boxes[0].icon, MessageIcon::Exclamation);
        EXPECT_EQ(boxes[0].buttons, MessageButtons::YesNo);
        if (answer == MessageAnswer::Yes) {
            EXPECT_EQ(boxes[1].text, list);
            EXPECT_EQ(boxes[1].icon, MessageIcon::Information);
        }
        // Damaged records are counted like the others and stop nothing.
        EXPECT_EQ(LabelText("lblRecordsRead"), "6 record(s) read.");
        EXPECT_EQ(State(), ViewState);
    }
}

struct BrokenCase {
    const char* what;
    RunFileBuilder file;
    int number;
    const char* description;
    const char* versionCaption;
    bool versionKnown;
};

TEST_F(LoadTest, FailsWithItsMessageOnFilesItCannotRead) {
    const BrokenCase cases[] = {
        {"version without a number", RunFileBuilder().Version("beta"), 13, "Type mismatch", "PASS Version beta", true},
        {"tag and nothing after it", RunFileBuilder().Version(""), 13, "Type mismatch", "PASS Version ", true},
        {"unknown version", RunFileBuilder().VersionField("GTECH"), 13, "Type mismatch", "Unknown PASS Version",
         false},
        // Too short for its fixed fields: no zeros are shown for the missing bytes.
        {"cut inside the version field", RunFileBuilder().CutTo(280), 62, "Input past end of file", nullptr, true},
    };
    for (const BrokenCase& c : cases) {
        SCOPED_TRACE(c.what);
        dialogs.script = ScriptedDialogs();
        dialogs.script.AcceptOkBoxes();
        Open();
        // An earlier good load whose labels the failed one partly replaces.
        LoadFile("GOOD.GTP", RunFileBuilder().RunName("Earlier").Records(2, 8).Notes("kept?").Build());
        LoadFile("BROKEN.GTP", c.file.Build());
        ASSERT_EQ(Messages().size(), 1u);
        EXPECT_EQ(Messages()[0], LoadFailure(c.number, c.description, "BROKEN.GTP"));
        EXPECT_EQ(Boxes()[0].icon, MessageIcon::Critical);
        if (c.versionCaption != nullptr) {
            EXPECT_EQ(LabelText("lblPASSVersion"), c.versionCaption);
            EXPECT_EQ(Label("lblPASSVersion")->palette().color(QPalette::WindowText), c.versionKnown ? Blue : Red);
        } else {
            EXPECT_EQ(LabelText("lblPASSVersion"), "PASS Version 2.0");
        }
        // The load stopped before the names: they keep the earlier file's.
        EXPECT_EQ(LabelText("lblRunName"), "Earlier");
        EXPECT_TRUE(Notes()->toPlainText().isEmpty());
        EXPECT_FALSE(Find<QAction>("mnuFilePopupEdit")->isEnabled());
        EXPECT_FALSE(window->LoadRunFile());
    }
}

TEST_F(LoadTest, NeedsASelectedFileThatStillExistsAndIsNotHeldOpen) {
    Open();
    EXPECT_FALSE(window->LoadRunFile());
    ASSERT_EQ(Messages().size(), 1u);
    EXPECT_EQ(Messages()[0], "You must select a PASS file first!");
    EXPECT_EQ(Boxes()[0].icon, MessageIcon::Exclamation);

    Write("GONE.GTP", RunFileBuilder().Build());
    Files()->Refresh();
    Files()->SelectFile("GONE.GTP");
    std::remove(folder.Path("GONE.GTP").c_str());
    EXPECT_FALSE(window->LoadRunFile());
    ASSERT_EQ(Messages().size(), 2u);
    EXPECT_EQ(Messages()[1], "The file does not exist!\r\nThe file list will be refreshed.");
    EXPECT_TRUE(Files()->findItems("GONE.GTP", Qt::MatchExactly).isEmpty());

    // Another opener holding the file refuses the load's open.
    Write("HELD.GTP", RunFileBuilder().Build());
    const int32_t held = FileTable::FreeFile();
    FileTable::Open(folder.Path("HELD.GTP"), FileTable::OpenMode::Read, held);
    ClickFile("HELD.GTP");
    FileTable::Close(held);
    ASSERT_EQ(Messages().size(), 3u);
    EXPECT_EQ(Messages()[2], LoadFailure(70, "Permission denied", "HELD.GTP"));
    EXPECT_EQ(window->RunFileHandle.Handle(), 0);
}

TEST_F(LoadTest, LetsTheWindowHandleEventsDuringALongScanButNotForEveryRecord) {
    Open();
    constexpr uint32_t Records = 60000;
    Write("LONG.GTP", RunFileBuilder().Records(Records, 1).Notes("end").Build());
    events.rounds = 0;
    ClickFile("LONG.GTP");
    EXPECT_EQ(window->lngNumRecords, static_cast<int32_t>(Records));
    EXPECT_EQ(Notes()->toPlainText(), "end");
    // At least one round in the scan and one in UpdateControls; at most one
    // per slice of records besides.
    EXPECT_GE(events.rounds, 2);
    EXPECT_LE(events.rounds, static_cast<int>(Records / 4096) + 4);
}

}  // namespace
