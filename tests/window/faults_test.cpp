// Faults from outside the program, caused for real: another process holding
// or rewriting the file, and file names a shell would read as commands.
#include <filesystem>
#include <map>

#include "window/WindowFixture.h"

namespace {

const char* const Changed =
    "The file has changed since it was loaded; nothing was written. Load it again and repeat your changes.";

// Every entry of the folder with its bytes; a folder shows as "<folder>".
std::map<std::string, std::string> Contents(const TempFolder& folder) {
    std::map<std::string, std::string> entries;
    for (const auto& entry : std::filesystem::directory_iterator(FsPath(folder.Path()))) {
        const std::u8string utf8 = entry.path().filename().u8string();
        const std::string name(utf8.begin(), utf8.end());
        entries[name] = entry.is_directory() ? "<folder>" : folder.Read(name);
    }
    return entries;
}

class FaultTest : public WindowTest {
public:
    std::unique_ptr<LockHolder> holder;
};

TEST_F(FaultTest, RefusedLoadsAndSavesLeaveEveryFileAsItWas) {
    // Each way a file changes behind the save is the core tests'; here a load
    // refused by a lock and a save refused by another program's write.
    Open();
    Write("OTHER.GTP", RunFileBuilder().RunName("Bystander").Build());
    Write("RUN.GTP", RunFileBuilder().Records(3, 8).Notes("notes").Build());
    Files()->Refresh();
    Files()->SelectFile("RUN.GTP");
    holder = std::make_unique<LockHolder>(folder.Path("RUN.GTP"));
    const auto beforeLoad = Contents(folder);
    EXPECT_FALSE(LoadRunFile());
    EXPECT_EQ(Contents(folder), beforeLoad);
    EXPECT_EQ(window->RunFileHandle.Handle(), 0);
    holder.reset();

    ASSERT_TRUE(LoadRunFile());
    ChangeWeight();
    Write("RUN.GTP", RunFileBuilder().Records(4, 8).Notes("ab").Build());
    const auto beforeSave = Contents(folder);
    Click("cmdSave");
    EXPECT_EQ(Contents(folder), beforeSave);
    // The edits wait in edit mode for another try.
    EXPECT_EQ(State(), Pending);
    EXPECT_EQ(window->RunFileHandle.Handle(), 0);
    EXPECT_EQ(Messages(), (Texts{Failure("loading", 70, "Permission denied", "RUN.GTP"), Changed, SaveFailed}));
}

TEST_F(FaultTest, ASaveRefusedWhileAnotherProgramHoldsTheFileSucceedsOnceItLetsGo) {
    Open();
    const RunFileBuilder file = RunFileBuilder().Records(2, 8).Notes("Dry\nWarm\r");
    LoadFile("RUN.GTP", file.Build());
    ChangeWeight();
    // Edit from the pop-up menu while the edits are pending keeps Save.
    Trigger("mnuFilePopupEdit");
    ASSERT_TRUE(Button("cmdSave")->isEnabled());
    holder = std::make_unique<LockHolder>(folder.Path("RUN.GTP"));
    Click("cmdSave");
    EXPECT_EQ(Messages(), (Texts{Failure("saving", 70, "Permission denied", "RUN.GTP"), SaveFailed}));
    EXPECT_EQ(Boxes()[0].icon, MessageIcon::Critical);
    EXPECT_EQ(Boxes()[1].icon, MessageIcon::Exclamation);
    // Still editing, with the edits on the screen and Save on for a retry.
    EXPECT_EQ(State(), Pending);
    EXPECT_TRUE(window->blnDirtyData);
    EXPECT_EQ(LabelText("lblVehicleWeight"), "2500");
    // Read once the other program lets go: on Windows it shares the file with
    // nobody, this test included. The retry keeps the stored line feed.
    holder.reset();
    EXPECT_EQ(Read("RUN.GTP"), file.Build());
    Click("cmdSave");
    EXPECT_EQ(Messages().size(), 2u);
    EXPECT_EQ(Read("RUN.GTP"), Saved(RunFileBuilder(file).Weight(2500)));
    EXPECT_EQ(State(), ViewState);
}

TEST_F(FaultTest, NamesAShellWouldReadAreActedOnAsTheyAre) {
    // What a shell or cmd would read as commands, quotes or variables, as far as
    // the system allows it in a name, and a name only its own spelling reaches.
    const bool windows = Files::PathSeparator == '\\';
    const std::vector<std::string> names = {
        "with blanks  .gtp", windows ? "amp & caret ^ %PATH% !x!.gtp" : "\"double\" and 'single'.gtp",
        "semi;colon.GTP", "$(touch made-by-shell) `touch made-by-shell`.gtp",
        ForeignName + (windows ? "" : " \xFF") + ".gtp"};
    documents.accept = true;
    Open();
    const Bytes bystander = RunFileBuilder().RunName("Bystander").Build();
    Write("OTHER.GTP", bystander);
    int index = 0;
    for (const std::string& name : names) {
        SCOPED_TRACE(name);
        const std::string runName = "Run " + std::to_string(++index);
        const Bytes file = RunFileBuilder().RunName(runName).Build();
        LoadFile(name, file);
        EXPECT_EQ(LabelText("lblRunName"), QString::fromStdString(runName));

        Trigger("mnuFilePopupOpen");
        EXPECT_EQ(documents.opened, Texts{"file " + folder.Path(name)});
        documents.opened.clear();

        const std::string quote = windows ? "'" : "\"";
        const std::string renamed = "ren;$(touch made-by-shell) " + quote + std::to_string(index) + quote + ".gtp";
        dialogs.Type(renamed.substr(0, renamed.size() - 4));
        Trigger("mnuFilePopupRename");
        EXPECT_FALSE(folder.Has(name));
        EXPECT_EQ(Read(renamed), file);

        LoadFile(name, file);
        dialogs.Answer(MessageAnswer::Yes);
        Trigger("mnuFilePopupDelete");
        EXPECT_FALSE(folder.Has(name));
        EXPECT_EQ(Read(renamed), file);
    }
    EXPECT_EQ(Messages().size(), names.size());  // the delete questions
    EXPECT_EQ(Read("OTHER.GTP"), bystander);
    EXPECT_EQ(Contents(folder).size(), 1 + names.size());
    EXPECT_FALSE(std::filesystem::exists(folder.Path("made-by-shell")));
}

TEST_F(FaultTest, RenameNeverReplacesAFileButMayChangeOnlyTheCase) {
    const Bytes run2 = RunFileBuilder().RunName("Two").Build(), other = RunFileBuilder().RunName("Other").Build();
    const std::string refusal =
        "WARNING:  error (58) - File already exists - occurred while attempting to rename the file.";
    const auto rename = [this](const char* answer) {
        dialogs.Type(answer);
        QTest::keyClick(Files(), Qt::Key_F2);
    };
    Open();
    Write("other.gtp", other);
    LoadFile("run2.gtp", run2);
    rename("other");
    // Windows names two files that differ in letter case only as one.
    const bool caseSensitive = Files::PathSeparator == '/';
    if (caseSensitive) {
        Write("RUN2.GTP", other);
        rename("RUN2.GTP");
        EXPECT_EQ(Read("RUN2.GTP"), other);
        std::filesystem::remove(folder.Path("RUN2.GTP"));
    }
    EXPECT_EQ(Read("run2.gtp"), run2);
    EXPECT_EQ(Read("other.gtp"), other);
    EXPECT_EQ(Messages(), Texts(caseSensitive ? 2 : 1, refusal));
    rename("RUN2.GTP");
    EXPECT_EQ(FileRows(), (QStringList{"other.gtp", "RUN2.GTP"}));
    EXPECT_EQ(Read("RUN2.GTP"), run2);
    EXPECT_EQ(Messages().size(), caseSensitive ? 2u : 1u);
}

}  // namespace
