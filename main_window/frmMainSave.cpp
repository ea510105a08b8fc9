// The save: hands the committed vehicle data and the notes to the run-file
// object, which writes them into the file the last load read, in place, and
// words what it reports as the window's messages.
#include "main_window/FileBrowserPanel.h"
#include "main_window/QtText.h"
#include "main_window/VehicleDataForm.h"
#include "main_window/frmMain.h"
#include "run_file/RunFile.h"

namespace {

const char* const RepeatAdvice = "Load it again and repeat your changes.";

}  // namespace

bool frmMain::SaveRunFile() {
    return guard_.Alone([this] { return RunSave() == SaveResult::Saved; });
}

frmMain::SaveResult frmMain::RunSave() {
    const QString fileName = panel_->FileName();
    if (fileName.isEmpty()) {
        Message("You must select a PASS file first!", MessageIcon::Exclamation);
        return SaveResult::Failed;
    }
    if (!form_->CommitOpenFields()) {
        return SaveResult::EntryRejected;
    }
    // Only the file the last load read may be written: its layout is what the
    // positions of the fields were worked out from.
    if (!runFile_.IsLoaded() || runFile_.Path() != panel_->SelectedFilePath()) {
        Message("The selected file [" + QtText::ToUtf8(fileName) +
                    "] is not the file that was last loaded; nothing was written.\r\n" + RepeatAdvice,
                MessageIcon::Exclamation);
        return SaveResult::Failed;
    }
    return WriteCommittedValues();
}

frmMain::SaveResult frmMain::SaveLoadedFile() {
    if (!form_->CommitOpenFields()) {
        return SaveResult::EntryRejected;
    }
    return WriteCommittedValues();
}

frmMain::SaveResult frmMain::WriteCommittedValues() {
    const QString fileName = QtText::PathText(LoadedFileName());
    const Stuff::SaveOutcome outcome = runFile_.Save(form_->CommittedTexts());
    switch (outcome.status) {
    case Stuff::SaveStatus::Saved:
        break;
    case Stuff::SaveStatus::Refused:
        Message("The vehicle data cannot be saved: " + outcome.description +
                    ".\r\nNothing was written; correct it and save again.",
                MessageIcon::Exclamation);
        return SaveResult::Failed;
    case Stuff::SaveStatus::Changed:
        Message(std::string("The file has changed since it was loaded; nothing was written. ") + RepeatAdvice,
                MessageIcon::Exclamation);
        return SaveResult::Failed;
    case Stuff::SaveStatus::Failed:
        ShowFileFailure(outcome.number, outcome.description, " - saving file [", fileName);
        return SaveResult::Failed;
    }
    SetDirty(false);
    UpdateControls(true, false, false, false);
    return SaveResult::Saved;
}

void frmMain::KeepEditsAfterSave(SaveResult result) {
    // The edits stay on the screen, in edit mode, so the save can be tried
    // again once its cause is gone.
    UpdateControls(false, true, blnDirtyData, true);
    if (result == SaveResult::Failed) {
        Message("Error saving the PASS file!", MessageIcon::Exclamation);
    }
}
