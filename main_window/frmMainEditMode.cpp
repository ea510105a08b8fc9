// Edit mode: the Edit, Save and Undo commands, the dirty flag that the first
// change of any text sets, and the question that keeps pending edits from
// being dropped unasked.
#include "main_window/QtText.h"
#include "main_window/frmMain.h"

void frmMain::TextChanged() {
    // The flag is set before the controls change, so a change handled while
    // UpdateControls processes events finds it set and does nothing.
    if (!blnDirtyData) {
        SetDirty(true);
        UpdateControls(false, true, true, true);
    }
}

void frmMain::cmdEdit_Click() {
    guard_.UnlessBusy([this] {
        // Without a loaded file there is nothing the edits could be saved into.
        if (runFile_.IsLoaded()) {
            // Edits still pending (the pop-up menu offers Edit then too) keep Save.
            UpdateControls(false, true, blnDirtyData, true);
        }
    });
}

void frmMain::cmdSave_Click() {
    // The whole command, its closing messages included, runs alone.
    guard_.Alone([this] {
        const SaveResult result = RunSave();
        if (result != SaveResult::Saved) {
            KeepEditsAfterSave(result);
        }
    });
}

bool frmMain::SettlePendingEdits() {
    if (!blnDirtyData || !runFile_.IsLoaded()) {
        return true;
    }
    const MessageAnswer answer =
        Message("Save changes to " + QtText::ToUtf8(QtText::PathText(LoadedFileName())) + "?",
                MessageIcon::Exclamation, MessageButtons::SaveDiscardCancel);
    if (answer == MessageAnswer::Discard) {
        return true;
    }
    if (answer != MessageAnswer::Save) {
        return false;
    }
    // The question named the loaded file, so that is the one saved, whatever
    // the file list selects meanwhile.
    const SaveResult result = SaveLoadedFile();
    if (result == SaveResult::Saved) {
        return true;
    }
    KeepEditsAfterSave(result);
    return false;
}

void frmMain::cmdUndo_Click() {
    guard_.Alone([this] { RunLoad(); });
}
