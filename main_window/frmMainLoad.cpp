// The load: the run-file object reads the selected file and tells what it
// finds as it reads, and the window shows each value as soon as it is known,
// so a load that fails part-way leaves what it had already shown.
#include <chrono>

#include "base/RuntimeError.h"
#include "main_window/FileBrowserPanel.h"
#include "main_window/QtText.h"
#include "main_window/VehicleDataForm.h"
#include "main_window/frmMain.h"
#include "run_file/RunDataScanner.h"
#include "run_file/RunFile.h"
#include "support/FileTable.h"
#include "support/Files.h"

namespace {

// The scan lets the window handle its events once this much time has passed
// since it last did.
constexpr std::chrono::milliseconds EventSlice{10};

}  // namespace

// Shows what the run-file object reports while it loads.
class frmMain::LoadDisplay final : public Stuff::LoadListener {
public:
    LoadDisplay(frmMain& window, QString fileName) : window_(window), fileName_(std::move(fileName)) {}

    // The file is known by a number of the file table while the load has it.
    void Opened(const LockedFile& file) override {
        window_.RunFileHandle.SetHandle(FileTable::Lend(file));
        form().SetNotesText(QString());
        form().HideRecordCount();
    }

    void Closing() override {
        if (window_.RunFileHandle.Handle() != 0) {
            FileTable::Close(window_.RunFileHandle.Handle());
            window_.RunFileHandle.SetHandle(0);
        }
    }

    void VersionRead(const Stuff::VersionField& version) override {
        form().SetVersionCaption(version.Caption(), version.tagMatched);
    }

    void FieldsRead(const Stuff::RunFileContents& contents) override {
        form().ShowValues(contents.values, contents.HasPitchFactor());
        // From here on the values shown are this file's.
        window_.ShowLoadedFileInTitle(fileName_);
    }

    void ScanStarted() override {
        window_.lngNumRecords = 0;
        form().ShowRecordCount({});
        form().SetNotesText(QString());
        // The window stays responsive during a long scan without paying for
        // an event round on every record.
        window_.services_.events.DoEvents();
        lastEvents_ = Clock::now();
    }

    void Scanning(uint64_t recordsSoFar) override {
        window_.lngNumRecords = static_cast<int64_t>(recordsSoFar);
        if (Clock::now() - lastEvents_ >= EventSlice) {
            window_.services_.events.DoEvents();
            lastEvents_ = Clock::now();
        }
    }

    void Loaded(const Stuff::RunFileContents& contents) override {
        window_.lngNumRecords = static_cast<int64_t>(contents.recordCount);
        if (contents.notesPosition) {
            form().SetNotesText(QtText::FromUtf8(contents.values.notes));
        }
        form().ShowRecordCount(Stuff::RecordCountText(contents.recordCount));
        if (contents.damagedCount > 0) {
            ReportDamagedRecords(Stuff::DamagedPositionsMessage(contents.damagedPositions, contents.damagedCount));
        }
    }

private:
    using Clock = std::chrono::steady_clock;

    VehicleDataForm& form() { return *window_.form_; }

    void ReportDamagedRecords(const std::string& list) {
        const MessageAnswer answer = window_.Message(
            "Warning:  errors were found in the run data of GTP file, it may be corrupted.\r\n"
            "Do you want to see where the errors were found?",
            MessageIcon::Exclamation, MessageButtons::YesNo);
        if (answer == MessageAnswer::Yes) {
            window_.Message(list, MessageIcon::Information);
        }
    }

    frmMain& window_;
    QString fileName_;
    Clock::time_point lastEvents_;
};

bool frmMain::LoadRunFile() {
    return guard_.Alone([this] { return RunLoad(); });
}

bool frmMain::RunLoad() {
    // Whatever the outcome, what an earlier load learned belongs to that load.
    runFile_.Forget();

    const QString fileName = panel_->FileName();
    if (fileName.isEmpty()) {
        Message("You must select a PASS file first!", MessageIcon::Exclamation);
        return false;
    }
    const std::string fullPath = panel_->SelectedFilePath();
    if (!Files::PathExists(fullPath)) {
        Message("The file does not exist!\r\nThe file list will be refreshed.", MessageIcon::Exclamation);
        RefreshFiles();
        return false;
    }

    try {
        LoadDisplay display(*this, fileName);
        runFile_.Load(fullPath, display);
    } catch (const RuntimeError& failure) {
        ShowFileFailure(failure.Number(), failure.Description(), " - loading file [", fileName);
        return false;
    }
    loadedName_ = panel_->FileNameBytes();
    form_->CloseOpenFields();
    SetDirty(false);
    UpdateControls(true, false, false, false);
    return true;
}

bool frmMain::NotesWritable() const { return runFile_.IsLoaded() && runFile_.Contents().notesPosition.has_value(); }

void frmMain::ShowFileFailure(int32_t number, const std::string& description, const char* action,
                              const QString& fileName) {
    Message("Error (" + std::to_string(number) + ") - " + description + action + QtText::ToUtf8(fileName) +
                "]!\r\nFile may be in use by PASS, corrupt, or otherwise locked.",
            MessageIcon::Critical);
}
