// The load: the run-file object reads the selected file and tells what it
// finds as it reads, and the window shows each value as soon as it is known,
// so a load that fails part-way leaves what it had already shown.
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextDocument>

#include <chrono>

#include "main_window/ClickableLabel.h"
#include "main_window/FileListBox.h"
#include "main_window/QtText.h"
#include "main_window/frmMain.h"
#include "run_file/RunDataScanner.h"
#include "run_file/RunFile.h"
#include "support/Files.h"
#include "support/RuntimeError.h"

namespace {

// The scan lets the window handle its events once this much time has passed
// since it last did.
constexpr std::chrono::milliseconds EventSlice{10};

const QColor Blue(0, 0, 255);
const QColor Red(255, 0, 0);

}  // namespace

// Shows what the run-file object reports while it loads.
class frmMain::LoadDisplay final : public Stuff::LoadListener {
public:
    explicit LoadDisplay(frmMain& window) : window_(window) {}

    void Opened() override {
        window_.SetNotesText(QString());
        window_.lblRecordsRead->hide();
    }

    void VersionRead(const Stuff::VersionField& version) override {
        window_.SetVersionCaption(version.Caption(), version.tagMatched);
    }

    void FieldsRead(const Stuff::RunFileContents& contents) override { window_.ShowFields(contents); }

    void ScanStarted() override {
        window_.lngNumRecords = 0;
        window_.lblRecordsRead->setText(QString());
        window_.lblRecordsRead->show();
        window_.SetNotesText(QString());
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
            window_.SetNotesText(QtText::FromUtf8(contents.values.notes));
        }
        window_.ShowRecordCount();
        if (contents.damagedCount > 0) {
            window_.ReportDamagedRecords(
                Stuff::DamagedPositionsMessage(contents.damagedPositions, contents.damagedCount));
        }
    }

private:
    using Clock = std::chrono::steady_clock;

    frmMain& window_;
    Clock::time_point lastEvents_;
};

std::string frmMain::FileSystemPath(const QString& path) { return QFile::encodeName(path).toStdString(); }

bool frmMain::LoadRunFile() {
    if (IsBusy()) {
        return false;
    }
    RunGuard::Scope running(guard_);
    return RunLoad();
}

bool frmMain::RunLoad() {
    // Whatever the outcome, what an earlier load learned belongs to that load.
    runFile_.Forget();

    const QString fileName = fileGTP->FileName();
    if (fileName.isEmpty()) {
        Message("You must select a PASS file first!", MessageIcon::Exclamation);
        return false;
    }
    const std::string fullPath = SelectedFilePath();
    if (!Files::PathExists(fullPath)) {
        Message("The file does not exist!\r\nThe file list will be refreshed.", MessageIcon::Exclamation);
        RefreshFiles();
        return false;
    }

    try {
        LoadDisplay display(*this);
        runFile_.Load(fullPath, display);
    } catch (const RuntimeError& failure) {
        ShowFileFailure(failure.Number(), failure.Description(), " - loading file [", fileName);
        return false;
    }
    CloseOpenFields();
    blnDirtyData = false;
    UpdateControls(true, false, false, false);
    return true;
}

void frmMain::ShowFields(const Stuff::RunFileContents& contents) {
    const Stuff::VehicleTexts& values = contents.values;
    fields_[RunName].value->setText(QtText::FromUtf8(values.runName));
    if (contents.HasPitchFactor()) {
        fields_[PitchFactor].value->setText(QtText::FromUtf8(values.pitch));
        ShowPitchFactor(true);
    } else {
        ShowPitchFactor(false);
        fields_[PitchFactor].value->setText(QtText::FromUtf8(values.pitch));
    }
    fields_[VehicleName].value->setText(QtText::FromUtf8(values.vehicleName));
    fields_[VehicleWeight].value->setText(QtText::FromUtf8(values.weight));
    fields_[RolloutLength].value->setText(QtText::FromUtf8(values.rollout));
    fields_[Redline].value->setText(QtText::FromUtf8(values.redline));
    fields_[ShiftPoint].value->setText(QtText::FromUtf8(values.shiftPoint));
}

void frmMain::CloseOpenFields() {
    // A field left open (its entry rejected) would hide the value just read
    // under the entry of the file before; the loaded values are what counts.
    for (int index = 0; index < FieldCount; ++index) {
        FieldRow& row = fields_[index];
        if (!row.box->isHidden()) {
            row.box->hide();
            row.value->setVisible(index != PitchFactor || !row.caption->isHidden());
        }
    }
}

void frmMain::ShowRecordCount() {
    lblRecordsRead->setText(QtText::FromUtf8(Stuff::RecordCountText(static_cast<uint64_t>(lngNumRecords))));
    lblRecordsRead->show();
}

void frmMain::ReportDamagedRecords(const std::string& list) {
    const MessageAnswer answer = Message(
        "Warning:  errors were found in the run data of GTP file, it may be corrupted.\r\n"
        "Do you want to see where the errors were found?",
        MessageIcon::Exclamation, MessageButtons::YesNo);
    if (answer == MessageAnswer::Yes) {
        Message(list, MessageIcon::Information);
    }
}

void frmMain::SetVersionCaption(const std::string& caption, bool known) {
    lblPASSVersion->setText(QtText::FromUtf8(caption));
    QPalette palette = lblPASSVersion->palette();
    palette.setColor(QPalette::WindowText, known ? Blue : Red);
    lblPASSVersion->setPalette(palette);
}

void frmMain::ShowPitchFactor(bool shown) {
    fields_[PitchFactor].caption->setVisible(shown);
    fields_[PitchFactor].value->setVisible(shown);
}

void frmMain::SetNotesText(const QString& shownWithCrLf) {
    // Only a real change of the text counts as one, as for the field boxes.
    const QString lines = QtText::CrLfToBoxLines(shownWithCrLf);
    if (NotesText() != QtText::BoxLinesToCrLf(lines)) {
        txtVehicleNotes->setPlainText(lines);
    }
}

QString frmMain::NotesText() const {
    // The raw text keeps every character as typed; the plain text would turn
    // a no-break space into a blank.
    return QtText::BoxLinesToCrLf(txtVehicleNotes->document()->toRawText());
}

bool frmMain::NotesWritable() const { return runFile_.IsLoaded() && runFile_.Contents().notesPosition.has_value(); }

void frmMain::ShowFileFailure(int32_t number, const std::string& description, const char* action,
                              const QString& fileName) {
    Message("Error (" + std::to_string(number) + ") - " + description + action + QtText::ToUtf8(fileName) +
                "]!\r\nFile may be in use by PASS, corrupt, or otherwise locked.",
            MessageIcon::Critical);
}
