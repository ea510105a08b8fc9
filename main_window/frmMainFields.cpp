// The vehicle-data fields: a value label swapped for its text box while the
// field is edited, and the check of each entry when the field is left.
#include <QFocusEvent>
#include <QLineEdit>
#include <QPushButton>

#include "main_window/ClickableLabel.h"
#include "main_window/QtText.h"
#include "main_window/frmMain.h"
#include "run_file/FieldRules.h"

Stuff::Field frmMain::CoreField(FieldIndex index) {
    static constexpr Stuff::Field Fields[FieldCount] = {
        Stuff::Field::RunName,  Stuff::Field::VehicleName,   Stuff::Field::VehicleWeight, Stuff::Field::Redline,
        Stuff::Field::ShiftPoint, Stuff::Field::RolloutLength, Stuff::Field::PitchFactor};
    return Fields[index];
}

bool frmMain::InEditMode() const { return cmdUndo->isEnabled(); }

void frmMain::FieldLabelClicked(FieldIndex index) {
    if (IsBusy()) {
        return;
    }
    BeginFieldEdit(fields_[index].box, fields_[index].value);
}

void frmMain::BeginFieldEdit(QLineEdit* box, QLabel* value) {
    if (!InEditMode()) {
        return;
    }
    box->setText(value->text());
    box->show();
    value->hide();
    box->setFocus(Qt::OtherFocusReason);
    box->setSelection(0, static_cast<int>(box->text().size()));
}

void frmMain::EndFieldEdit(QLineEdit* box, QLabel* value) {
    value->setText(box->text());
    value->show();
    box->hide();
}

void frmMain::RejectEntry(QLineEdit* box, const std::string& message) {
    Message(message, MessageIcon::Critical);
    box->setFocus(Qt::OtherFocusReason);
    box->setSelection(0, static_cast<int>(box->text().size()));
}

void frmMain::LeaveField(FieldIndex index) {
    // The message box of a rejection and the focus given back afterwards move
    // the focus again; those moves are no new leave of the field.
    if (inLeaveHandler_) {
        return;
    }
    inLeaveHandler_ = true;
    QLineEdit* box = fields_[index].box;
    bool accepted = true;
    // The names are taken as typed; the numbers are checked, the rollout
    // length rounded into the box first, so a rejected one shows rounded.
    if (index != RunName && index != VehicleName) {
        const Stuff::EntryCheck check = Stuff::CheckEntry(CoreField(index), QtText::ToUtf8(box->text()));
        if (index == RolloutLength) {
            box->setText(QtText::FromUtf8(check.entry));
        }
        accepted = check.accepted;
        if (!accepted) {
            RejectEntry(box, check.message);
        }
    }
    if (accepted) {
        EndFieldEdit(box, fields_[index].value);
    }
    inLeaveHandler_ = false;
}

void frmMain::txtRunName_LostFocus() { LeaveField(RunName); }
void frmMain::txtVehicleName_LostFocus() { LeaveField(VehicleName); }
void frmMain::txtVehicleWeight_LostFocus() { LeaveField(VehicleWeight); }
void frmMain::txtVehicleRedline_LostFocus() { LeaveField(Redline); }
void frmMain::txtVehicleShiftPoint_LostFocus() { LeaveField(ShiftPoint); }
void frmMain::txtVehicleRolloutLength_LostFocus() { LeaveField(RolloutLength); }
void frmMain::txtPitchFactor_LostFocus() { LeaveField(PitchFactor); }

bool frmMain::HandleFocusOut(QObject* watched, QEvent* event) {
    int index = 0;
    while (index < FieldCount && fields_[index].box != watched) {
        ++index;
    }
    if (index == FieldCount) {
        return false;
    }
    const QLineEdit* box = fields_[index].box;
    const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
    // Another window taking the focus (a message box, a menu, another program)
    // does not leave the field; neither does a box the program has closed or
    // locked, nor anything while a load or save holds the window.
    if (reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason || !box->isVisible() ||
        !box->isEnabled() || IsBusy()) {
        return true;
    }
    LeaveField(static_cast<FieldIndex>(index));
    return true;
}
