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
    if (IsBusy()) {
        return false;
    }
    RunGuard::Scope running(guard_);
    return RunSave();
}

bool frmMain::RunSave() {
    const QString fileName = panel_->FileName();
    if (fileName.isEmpty()) {
        Message("You must select a PASS file first!", MessageIcon::Exclamation);
        return false;
    }
    form_->CommitOpenFields();

    // Only the file the last load read may be written: its layout is what the
    // positions of the fields were worked out from.
    if (!runFile_.IsLoaded() || runFile_.Path() != SelectedFilePath()) {
        Message("The selected file [" + QtText::ToUtf8(fileName) +
                    "] is not the file that was last loaded; nothing was written.\r\n" + RepeatAdvice,
                MessageIcon::Exclamation);
        return false;
    }

    const Stuff::SaveOutcome outcome = runFile_.Save(form_->CommittedTexts());
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
    SetDirty(false);
    // A field still holding a rejected entry would go on showing it over the
    // value the file now holds.
    form_->CloseOpenFields();
    UpdateControls(true, false, false, false);
    return true;
}
