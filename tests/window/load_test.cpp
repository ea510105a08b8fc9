// Loading a run file into the window: what each label shows, the damaged-
// records question and the failures.
#include <QTextDocumentFragment>

#include "window/WindowFixture.h"

namespace {

class LoadTest : public WindowTest {
protected:
    QColor VersionColour() const { return Label("lblPASSVersion")->palette().color(QPalette::WindowText); }
};

TEST_F(LoadTest, ShowsTheFieldsOfEachVersionTheRecordCountAndTheNotes) {
    for (const char* version : {"1.1.1", "2.0"}) {
        SCOPED_TRACE(version);
        const bool pitch = std::string(version) == "2.0";
        Open();
        LoadFile("RUN.GTP", RunFileBuilder().Version(version).RunName("Quarter mile").VehicleName("Roadster")
                                .Weight(40000).Rollout(255).Redline(7200).ShiftPoint(6800).Pitch(99)
                                .Records(3, 20).Notes("Dry\rWarm\n").Build());
        EXPECT_EQ(LabelText("lblPASSVersion"), QStringLiteral("PASS Version ") + version);
        EXPECT_EQ(VersionColour(), QColor(0, 0, 255));
        const char* const shown[][2] = {{"lblRunName", "Quarter mile"}, {"lblVehicleName", "Roadster"},
                                        {"lblVehicleWeight", "40000"},  {"lblVehicleRolloutLength", "25.5"},
                                        {"lblVehicleRedline", "7200"},  {"lblVehicleShiftPoint", "6800"},
                                        {"lblPitchFactor", pitch ? "9.9" : "n/a"}};
        for (const auto& [label, text] : shown) EXPECT_EQ(LabelText(label), text) << label;
        EXPECT_EQ(Label("lblPitchFactor")->isVisible(), pitch);
        EXPECT_EQ(Label("lblPitchFactorLabel")->isVisible(), pitch);
        // Run data read from the wrong start would not count three records
        // and find the notes behind them; a stored line feed shows as its sign.
        EXPECT_EQ(LabelText("lblRecordsRead"), "3 record(s) read.");
        EXPECT_EQ(Notes()->toPlainText(), QStringLiteral("Dry\nWarm\u240A"));
        EXPECT_EQ(State(), ViewState);
        EXPECT_TRUE(Find<QAction>("mnuFilePopupEdit")->isEnabled());
        EXPECT_TRUE(Messages().empty());
        // In edit mode, Tab round the window and back skips a hidden pitch factor.
        EnterEditMode();
        OpenField("lblRunName");
        const QStringList reached = Tabs(30) + Tabs(30, Qt::ShiftModifier);
        ASSERT_EQ(reached.size(), 60);
        EXPECT_EQ(reached.filter("PitchFactor").isEmpty(), !pitch);
        Click("cmdUndo");
    }
    // No run data, and so no notes, after a file that had both.
    LoadFile("NONE.GTP", RunFileBuilder().Build());
    EXPECT_EQ(LabelText("lblRecordsRead"), "No run data found!");
    EXPECT_TRUE(Notes()->toPlainText().isEmpty());
    EXPECT_TRUE(Messages().empty());
}

TEST_F(LoadTest, TheTitleNamesTheFileWhoseValuesAreShownAndNamesShowAsTheyAre) {
    Open();
    // Markup and Qt's placeholder for the changed mark; Windows allows neither
    // "<" nor "*" in a name, but a name only its own spelling reaches.
    const std::string name = Files::PathSeparator == '/' ? "<b>A[*].GTP" : ForeignName + " [1] & A.GTP";
    LoadFile(name, RunFileBuilder().RunName("<b>bold</b>").VehicleName("x<br>y").Build());
    const QString title = Title(name);
    EXPECT_EQ(WindowTitle(), title);
    // Markup in a name is text: each label needs the width of every character.
    for (const char* label : {"lblRunName", "lblVehicleName"}) {
        const QLabel* shown = Label(label);
        EXPECT_GE(shown->sizeHint().width(), QFontMetrics(shown->font()).horizontalAdvance(shown->text())) << label;
    }
    // The file list's tooltip reads as the name, whatever the name looks like.
    const QString tip = Files()->toolTip();
    EXPECT_EQ(Qt::mightBeRichText(tip) ? QTextDocumentFragment::fromHtml(tip).toPlainText() : tip,
              QString::fromStdString(name));
    // A load that fails before the names leaves the title on the file shown.
    LoadFile("BROKEN.GTP", RunFileBuilder().Version("beta").Build());
    EXPECT_EQ(LabelText("lblRunName"), "<b>bold</b>");
    EXPECT_EQ(WindowTitle(), title);
}

TEST_F(LoadTest, OffersTheListOfDamagedRecords) {
    const RunFileBuilder file = RunFileBuilder().Records(6, 20).DamagedRecord(1).DamagedRecord(4).Notes("x");
    const std::vector<uint64_t> at = file.DamagedPositions();
    ASSERT_EQ(at.size(), 2u);
    const std::string question = "Warning:  errors were found in the run data of GTP file, it may be corrupted.\r\n"
                                 "Do you want to see where the errors were found?";
    const std::string list = "Error(s) found at: " + std::to_string(at[0]) + ", " + std::to_string(at[1]);
    for (const MessageAnswer answer : {MessageAnswer::Yes, MessageAnswer::No}) {
        Reopen();
        dialogs.Answer(answer);
        // While the question shows, the file is still open and locked; after
        // the load its number is free and nothing holds it.
        int32_t lockedOut = 0;
        dialogs.whileShown = [&] {
            if (lockedOut == 0) lockedOut = OpenInAnotherProgram(folder.Path("BAD.GTP"));
        };
        LoadFile("BAD.GTP", file.Build());
        EXPECT_EQ(lockedOut, 70);
        EXPECT_EQ(OpenInAnotherProgram(folder.Path("BAD.GTP")), 0);
        EXPECT_EQ(window->RunFileHandle.Handle(), 0);
        const bool yes = answer == MessageAnswer::Yes;
        EXPECT_EQ(Messages(), (yes ? Texts{question, list} : Texts{question}));
        EXPECT_EQ(Boxes()[0].icon, MessageIcon::Exclamation);
        EXPECT_EQ(Boxes()[0].buttons, MessageButtons::YesNo);
        EXPECT_EQ(Boxes().back().icon, yes ? MessageIcon::Information : MessageIcon::Exclamation);
        // Damaged records are counted like the others and stop nothing.
        EXPECT_EQ(LabelText("lblRecordsRead"), "6 record(s) read.");
        EXPECT_EQ(State(), ViewState);
    }
}

TEST_F(LoadTest, FailsWithItsMessageOnFilesItCannotRead) {
    // Notes that were empty are no change when a failed load clears them.
    Open();
    LoadFile("BARE.GTP", RunFileBuilder().Build());
    LoadFile("BROKEN.GTP", RunFileBuilder().Version("beta").Build());
    EXPECT_EQ(State(), ViewState);
    EXPECT_FALSE(window->blnDirtyData);

    const struct {
        RunFileBuilder file;
        int number;
        const char* error;
        const char* versionCaption;  // nullptr: the earlier file's stays
        bool versionKnown;
    } cases[] = {
        {RunFileBuilder().Version("beta"), 13, "Type mismatch", "PASS Version beta", true},
        {RunFileBuilder().VersionField("GTECH"), 13, "Type mismatch", "Unknown PASS Version", false},
        // Too short for its fixed fields: no zeros are shown for the missing bytes.
        {RunFileBuilder().CutTo(280), 62, "Input past end of file", nullptr, true},
    };
    const Bytes good = RunFileBuilder().RunName("Earlier").Records(2, 8).Notes("kept?").Build();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.error);
        Reopen();
        // An earlier good load whose labels the failed one partly replaces.
        LoadFile("GOOD.GTP", good);
        LoadFile("BROKEN.GTP", c.file.Build());
        EXPECT_EQ(Messages(), Texts{Failure("loading", c.number, c.error, "BROKEN.GTP")});
        EXPECT_EQ(Boxes()[0].icon, MessageIcon::Critical);
        EXPECT_EQ(LabelText("lblPASSVersion"), c.versionCaption ? c.versionCaption : "PASS Version 2.0");
        EXPECT_EQ(VersionColour(), c.versionKnown ? QColor(0, 0, 255) : QColor(255, 0, 0));
        // The load stopped before the names: they keep the earlier file's.
        EXPECT_EQ(LabelText("lblRunName"), "Earlier");
        EXPECT_FALSE(Find<QAction>("mnuFilePopupEdit")->isEnabled());
        // The notes it cleared are a change, but nothing is loaded: the save
        // it allows writes nothing anywhere, not even into the file before.
        EXPECT_TRUE(Notes()->toPlainText().isEmpty());
        EXPECT_EQ(State(), (ControlState{false, true, true, true, false}));
        Files()->SelectFile("GOOD.GTP");
        Click("cmdSave");
        EXPECT_EQ(Messages().back(), SaveFailed);
        EXPECT_EQ(Read("GOOD.GTP"), good);
    }
}

TEST_F(LoadTest, LetsTheWindowHandleEventsDuringALongScanButNotForEveryRecord) {
    Open();
    constexpr uint32_t Records = 60000;
    Write("LONG.GTP", RunFileBuilder().Records(Records, 1).Notes("end").Build());
    events.rounds = 0;
    ClickFile("LONG.GTP");
    EXPECT_EQ(window->lngNumRecords, static_cast<int32_t>(Records));
    EXPECT_EQ(Notes()->toPlainText(), "end");
    // A round in the scan and one in UpdateControls; at most one a slice besides.
    EXPECT_GE(events.rounds, 2);
    EXPECT_LE(events.rounds, static_cast<int>(Records / 4096) + 4);
}

}  // namespace
