// The save: hands the committed vehicle data and the notes to the run-file
// object, which writes them into the file the last load read, in place, and
// words what it reports as the window's messages.
#include <QLabel>
#include <QLineEdit>

#include "main_window/ClickableLabel.h"
#include "main_window/FileListBox.h"
#include "main_window/QtText.h"
#include "main_window/frmMain.h"
#include "run_file/RunFile.h"

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
    // positions of the fields were worked out from.
    if (!runFile_.IsLoaded() || runFile_.Path() != SelectedFilePath()) {
        Message("The selected file [" + QtText::ToUtf8(fileName) +
                    "] is not the file that was last loaded; nothing was written.\r\n" + RepeatAdvice,
                MessageIcon::Exclamation);
        return false;
    }

    const Stuff::SaveOutcome outcome = runFile_.Save(CommittedTexts());
    switch (outcome.status) {
    case Stuff::SaveStatus::Saved:
        break;
    case Stuff::SaveStatus::Refused:
        Message("The vehicle data cannot be saved: " + outcome.description +
                    ".\r\nNothing was written; correct it and save again.",
                MessageIcon::Exclamation);
        return false;
    case Stuff::SaveStatus::Changed:
        Message(std::string("The file has changed since it was loaded; nothing was written. ") + RepeatAdvice,
                MessageIcon::Exclamation);
        return false;
    case Stuff::SaveStatus::Failed:
        ShowFileFailure(outcome.number, outcome.description, " - saving file [", fileName);
        return false;
    }
    blnDirtyData = false;
    UpdateControls(true, false, false, false);
    return true;
}
