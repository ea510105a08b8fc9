// Edit mode: the Edit, Save and Undo commands, the dirty flag that the first
// change of any text sets, the question that keeps pending edits from being
// dropped unasked, and the leave handlers of the fields.
#include "main_window/QtText.h"
#include "main_window/VehicleDataForm.h"
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
    // Without a loaded file there is nothing the edits could be saved into.
    if (IsBusy() || !runFile_.IsLoaded()) {
        return;
    }
    // Edits still pending (the pop-up menu offers Edit then too) keep Save.
    UpdateControls(false, true, blnDirtyData, true);
}

void frmMain::cmdSave_Click() {
    if (IsBusy()) {
        return;
    }
    // The whole command, its closing messages included, runs alone.
    RunGuard::Scope running(guard_);
    const SaveResult result = RunSave();
    if (result != SaveResult::Saved) {
        KeepEditsAfterSave(result);
    }
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
    if (IsBusy()) {
        return;
    }
    RunGuard::Scope running(guard_);
    RunLoad();
}

void frmMain::txtRunName_LostFocus() { form_->LeaveField(VehicleDataForm::RunName); }
void frmMain::txtVehicleName_LostFocus() { form_->LeaveField(VehicleDataForm::VehicleName); }
void frmMain::txtVehicleWeight_LostFocus() { form_->LeaveField(VehicleDataForm::VehicleWeight); }
void frmMain::txtVehicleRedline_LostFocus() { form_->LeaveField(VehicleDataForm::Redline); }
void frmMain::txtVehicleShiftPoint_LostFocus() { form_->LeaveField(VehicleDataForm::ShiftPoint); }
void frmMain::txtVehicleRolloutLength_LostFocus() { form_->LeaveField(VehicleDataForm::RolloutLength); }
void frmMain::txtPitchFactor_LostFocus() { form_->LeaveField(VehicleDataForm::PitchFactor); }
