// The save: writes the committed vehicle data and the notes into the file the
// last load read, in place, at their own positions and nowhere else.
#include <QLabel>
#include <QLineEdit>

#include "main_window/ClickableLabel.h"
#include "main_window/FileListBox.h"
#include "main_window/QtText.h"
#include "main_window/RunFileSource.h"
#include "main_window/frmMain.h"
#include "run_file/Stuff.h"
#include "support/FileTable.h"
#include "support/RuntimeError.h"

namespace {

const char* const RepeatAdvice = "Load it again and repeat your changes.";

}  // namespace

bool frmMain::SaveRunFile() {
    if (IsBusy()) {
        return false;
    }
    RunGuard::Scope running(guard_);
    return RunSave();
}

void frmMain::CommitOpenFields() {
    for (int index = 0; index < FieldCount; ++index) {
        if (!fields_[index].box->isHidden()) {
            LeaveField(static_cast<FieldIndex>(index));
        }
    }
}

Stuff::VehicleTexts frmMain::CommittedTexts() const {
    const auto label = [this](FieldIndex index) { return QtText::ToUtf8(fields_[index].value->text()); };
    Stuff::VehicleTexts texts;
    texts.runName = label(RunName);
    texts.vehicleName = label(VehicleName);
    texts.weight = label(VehicleWeight);
    texts.redline = label(Redline);
    texts.shiftPoint = label(ShiftPoint);
    texts.rollout = label(RolloutLength);
    texts.pitch = label(PitchFactor);
    texts.notes = QtText::ToUtf8(NotesText());
    return texts;
}

bool frmMain::RunSave() {
    const QString fileName = fileGTP->FileName();
    if (fileName.isEmpty()) {
        Message("You must select a PASS file first!", MessageIcon::Exclamation);
        return false;
    }
    CommitOpenFields();

    // Only the file the last load read may be written: its layout is what the
    // positions below were worked out from.
    if (!loaded_ || loaded_->fullPath != SelectedFilePath()) {
        Message("The selected file [" + QtText::ToUtf8(fileName) +
                    "] is not the file that was last loaded; nothing was written.\r\n" + RepeatAdvice,
                MessageIcon::Exclamation);
        return false;
    }

    // Every value is converted and checked before the file is opened.
    Stuff::SavePlan plan;
    try {
        plan = Stuff::MakeSavePlan(CommittedTexts(), loaded_->state);
    } catch (const RuntimeError& problem) {
        Message("The vehicle data cannot be saved: " + problem.Description() +
                    ".\r\nNothing was written; correct it and save again.",
                MessageIcon::Exclamation);
        return false;
    }

    try {
        RunFileHandle.SetHandle(FileTable::FreeFile());
        FileTable::Open(loaded_->fullPath, FileTable::OpenMode::ReadWrite, RunFileHandle.Handle());
        RunFileSource source(RunFileHandle);
        if (!loaded_->fingerprint.Matches(source)) {
            CloseRunFile();
            Message(std::string("The file has changed since it was loaded; nothing was written. ") + RepeatAdvice,
                    MessageIcon::Exclamation);
            return false;
        }
        for (const Stuff::FileWrite& write : plan) {
            FileTable::Write(RunFileHandle.Handle(), static_cast<int64_t>(write.position), write.bytes);
        }
        FileTable::Flush(RunFileHandle.Handle());
        FileTable::Close(RunFileHandle.Handle());
        RunFileHandle.SetHandle(0);
    } catch (const RuntimeError& failure) {
        ShowFileFailure(failure.Number(), failure.Description(), " - saving file [", fileName);
        CloseRunFile();
        return false;
    }

    // The next save checks the file against what this one left.
    loaded_->fingerprint = loaded_->fingerprint.AfterSave(plan);
    blnDirtyData = false;
    UpdateControls(true, false, false, false);
    return true;
}
