// The load: reads the selected run file and shows what it holds, field by
// field, so a load that fails part-way leaves what it had already shown.
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextDocument>

#include <algorithm>
#include <chrono>
#include <limits>

#include "main_window/ClickableLabel.h"
#include "main_window/FileListBox.h"
#include "main_window/QtText.h"
#include "main_window/RunFileSource.h"
#include "main_window/frmMain.h"
#include "run_file/Stuff.h"
#include "support/FileTable.h"
#include "support/Files.h"
#include "support/RuntimeError.h"

namespace {

// The scan looks at the clock after this many records, and lets the window
// handle its events once this much time has passed since it last did.
constexpr uint64_t RecordsBetweenClockReads = 4096;
constexpr std::chrono::milliseconds EventSlice{10};

const QColor Blue(0, 0, 255);
const QColor Red(255, 0, 0);

int32_t CountAsLong(uint64_t count) {
    return static_cast<int32_t>(std::min<uint64_t>(count, std::numeric_limits<int32_t>::max()));
}

}  // namespace

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
    loaded_.reset();

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
        RunFileHandle.SetHandle(FileTable::FreeFile());
        FileTable::Open(fullPath, FileTable::OpenMode::Read, RunFileHandle.Handle());
        RunFileSource source(RunFileHandle);

        SetNotesText(QString());
        lblRecordsRead->hide();

        Stuff::RunFileState state;
        const std::vector<uint8_t> versionBytes = ReadVersionAndFields(source, state);
        const std::string damaged = ScanRunData(source, state);
        ShowRecordCount();
        loaded_.emplace(LoadedRunFile{fullPath, state,
                                      Stuff::FileFingerprint(source.Size(), versionBytes, state.NotesPosition)});
        if (!damaged.empty()) {
            ReportDamagedRecords(damaged);
        }

        CloseOpenFields();
        blnDirtyData = false;
        UpdateControls(true, false, false, false);
        FileTable::Close(RunFileHandle.Handle());
        RunFileHandle.SetHandle(0);
        return true;
    } catch (const RuntimeError& failure) {
        loaded_.reset();
        ShowFileFailure(failure.Number(), failure.Description(), " - loading file [", fileName);
        CloseRunFile();
        return false;
    }
}

std::vector<uint8_t> frmMain::ReadVersionAndFields(Stuff::ByteSource& source, Stuff::RunFileState& state) {
    using Stuff::Field;
    using Stuff::Spec;
    const std::vector<uint8_t> versionBytes = Stuff::ReadField(source, Spec(Field::Version));
    const Stuff::VersionField version = Stuff::DecodeVersionField(versionBytes);
    SetVersionCaption(version.Caption(), version.tagMatched);
    state.RunDataStart = version.runDataStart;
    state.PassVersionNumber = Stuff::PassVersionNumber(version.versionText);

    const auto text = [&source](Field field) {
        return QtText::FromUtf8(Stuff::DecodeTextField(Stuff::ReadField(source, Spec(field))));
    };
    const auto tenths = [&source](Field field) {
        return QtText::FromUtf8(Stuff::DecodeTenths(Stuff::ReadField(source, Spec(field)).at(0)));
    };
    const auto twoBytes = [&source](Field field) {
        return QtText::FromUtf8(Stuff::DecodeTwoByte(Stuff::ReadField(source, Spec(field))));
    };

    fields_[RunName].value->setText(text(Field::RunName));
    if (Stuff::HasPitchFactor(state.PassVersionNumber)) {
        fields_[PitchFactor].value->setText(tenths(Field::PitchFactor));
        ShowPitchFactor(true);
    } else {
        ShowPitchFactor(false);
        fields_[PitchFactor].value->setText(QStringLiteral("n/a"));
    }
    fields_[VehicleName].value->setText(text(Field::VehicleName));
    fields_[VehicleWeight].value->setText(twoBytes(Field::VehicleWeight));
    fields_[RolloutLength].value->setText(tenths(Field::RolloutLength));
    fields_[Redline].value->setText(twoBytes(Field::Redline));
    fields_[ShiftPoint].value->setText(twoBytes(Field::ShiftPoint));
    return versionBytes;
}

std::string frmMain::ScanRunData(Stuff::ByteSource& source, Stuff::RunFileState& state) {
    using Clock = std::chrono::steady_clock;
    lngNumRecords = 0;
    Stuff::RunDataScanner scanner(source, state.RunDataStart);
    state.RecordLength = scanner.RecordLength();
    if (scanner.Done()) {
        return {};
    }

    lblRecordsRead->setText(QString());
    lblRecordsRead->show();
    SetNotesText(QString());

    // The window stays responsive during a long scan without paying for an
    // event round on every record.
    services_.events.DoEvents();
    Clock::time_point lastEvents = Clock::now();
    while (!scanner.Advance(RecordsBetweenClockReads)) {
        lngNumRecords = CountAsLong(scanner.RecordCount());
        const Clock::time_point now = Clock::now();
        if (now - lastEvents >= EventSlice) {
            services_.events.DoEvents();
            lastEvents = Clock::now();
        }
    }
    lngNumRecords = CountAsLong(scanner.RecordCount());

    state.NotesPosition = scanner.NotesPosition();
    if (state.NotesPosition) {
        const std::vector<uint8_t> stored =
            Stuff::ReadStoredNotes(source, *state.NotesPosition, scanner.NotesLength());
        SetNotesText(QtText::FromUtf8(Stuff::NotesForDisplay(stored)));
    }
    return Stuff::DamagedPositionsMessage(scanner.DamagedPositions());
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
    lblRecordsRead->setText(lngNumRecords != 0 ? QString::number(lngNumRecords) + QStringLiteral(" record(s) read.")
                                               : QStringLiteral("No run data found!"));
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

bool frmMain::NotesWritable() const { return loaded_ && loaded_->state.NotesPosition.has_value(); }

void frmMain::ShowFileFailure(int32_t number, const std::string& description, const char* action,
                              const QString& fileName) {
    Message("Error (" + std::to_string(number) + ") - " + description + action + QtText::ToUtf8(fileName) +
                "]!\r\nFile may be in use by PASS, corrupt, or otherwise locked.",
            MessageIcon::Critical);
}

void frmMain::CloseRunFile() {
    const int32_t number = RunFileHandle.Handle();
    if (number >= FileTable::LowestNumber && number <= FileTable::HighestNumber && FileTable::IsOpen(number)) {
        try {
            FileTable::Close(number);
        } catch (const RuntimeError&) {
            // Only reached after a failure that has been reported already;
            // the number is free again either way.
        }
    }
    RunFileHandle.SetHandle(0);
}
