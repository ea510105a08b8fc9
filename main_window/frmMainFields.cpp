// The vehicle-data fields: a value label swapped for its text box while the
// field is edited, and the check of each entry when the field is left.
#include <QFocusEvent>
#include <QLineEdit>
#include <QPushButton>

#include <optional>

#include "main_window/ClickableLabel.h"
#include "main_window/QtText.h"
#include "main_window/frmMain.h"
#include "support/General.h"
#include "support/RuntimeError.h"

namespace {

std::string RangeMessage(const std::string& lowest, const std::string& highest) {
    return "You entered a value that is out of the allowable range (" + lowest + "-" + highest +
           ").\r\nPlease correct this now.";
}

// The entry as a whole number, a fraction rounded half to even; nullopt when
// it is no number or lies outside what a 32-bit number holds.
std::optional<int32_t> EntryAsLong(const std::string& text) {
    if (!General::IsNumericText(text)) {
        return std::nullopt;
    }
    try {
        return General::TextToLong(text);
    } catch (const RuntimeError&) {
        return std::nullopt;
    }
}

std::optional<float> EntryAsSingle(const std::string& text) {
    if (!General::IsNumericText(text)) {
        return std::nullopt;
    }
    try {
        return General::TextToSingle(text);
    } catch (const RuntimeError&) {
        return std::nullopt;
    }
}

}  // namespace

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

bool frmMain::ValidateLongRange(QLineEdit* box, int32_t lowest, int32_t highest) {
    const std::string message = RangeMessage(std::to_string(lowest), std::to_string(highest));
    const std::optional<int32_t> number = EntryAsLong(QtText::ToUtf8(box->text()));
    if (number && *number >= lowest && *number <= highest) {
        return true;
    }
    RejectEntry(box, message);
    return false;
}

bool frmMain::ValidateSingleRange(QLineEdit* box, float lowest, float highest) {
    const std::string message = RangeMessage(General::SingleToText(lowest), General::SingleToText(highest));
    const std::optional<float> number = EntryAsSingle(QtText::ToUtf8(box->text()));
    if (number && *number >= lowest && *number <= highest) {
        return true;
    }
    RejectEntry(box, message);
    return false;
}

void frmMain::NormaliseRolloutLength() {
    QLineEdit* box = fields_[RolloutLength].box;
    const std::optional<float> number = EntryAsSingle(QtText::ToUtf8(box->text()));
    if (!number) {
        return;
    }
    const std::string rounded = General::RoundToDecimals(*number, 1);
    box->setText(QtText::FromUtf8(General::FormatOneDecimal(rounded)));
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
    switch (index) {
    case RunName:
    case VehicleName:
        break;
    case VehicleWeight:
    case Redline:
    case ShiftPoint:
        accepted = ValidateLongRange(box, 1, 65535);
        break;
    case RolloutLength:
        NormaliseRolloutLength();
        accepted = ValidateSingleRange(box, 0.0f, General::TextToSingle("25.5"));
        break;
    case PitchFactor:
        accepted = ValidateSingleRange(box, General::TextToSingle("0.0"), General::TextToSingle("9.9"));
        break;
    case FieldCount:
        break;
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
