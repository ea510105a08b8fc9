// Edit mode: the Edit, Save and Undo commands and the dirty flag that the
// first change of any text sets.
#include "main_window/frmMain.h"

void frmMain::TextChanged() {
    // The flag is set before the controls change, so a change handled while
    // UpdateControls processes events finds it set and does nothing.
    if (!blnDirtyData) {
        blnDirtyData = true;
        UpdateControls(false, true, true, true);
    }
}

void frmMain::cmdEdit_Click() {
    if (IsBusy()) {
        return;
    }
    UpdateControls(false, true, false, true);
}

void frmMain::cmdSave_Click() {
    if (IsBusy()) {
        return;
    }
    // The whole command, its closing messages included, runs alone.
    RunGuard::Scope running(guard_);
    const bool saved = RunSave();
    UpdateControls(true, false, false, false);
    if (!saved) {
        Message("Error saving the PASS file!", MessageIcon::Exclamation);
    }
}

void frmMain::cmdUndo_Click() {
    if (IsBusy()) {
        return;
    }
    RunGuard::Scope running(guard_);
    RunLoad();
}
