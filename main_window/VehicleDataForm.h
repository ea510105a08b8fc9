#pragma once
// The vehicle data of the loaded run file: its version and record count, a
// column of value labels, each swapped for its text box while the field is
// edited, the notes, and the Edit, Undo and Save commands. The committed
// values are the labels' texts and the notes; the checks of an entry are the
// core's field rules, and a rejected entry is shown in a message box.
//
// The keyboard: in edit mode Tab moves through the value labels in screen
// order, Enter, F2 or Space on one opens its field; in an open field Enter
// leaves it with the same check as a click elsewhere, and Escape closes it
// with the value it had when it opened, without a message. One field is open
// at a time: opening another leaves the open one first, and while its entry
// is rejected the other stays closed. Pressing Save leaves the focus where it
// is, so the save's own leave of the open field is the only check of a press.
#include <QWidget>

#include <array>
#include <string>

#include "run_file/VehicleTexts.h"

class ValueLabel;
class Dialogs;
class FieldBox;
class QLabel;
class QPlainTextEdit;
class QPushButton;
class RunGuard;
class TwipsScale;

class VehicleDataForm : public QWidget {
    Q_OBJECT
public:
    enum FieldIndex { RunName, VehicleName, VehicleWeight, Redline, ShiftPoint, RolloutLength, PitchFactor, FieldCount };

    // Placed by the window; `guard` tells when a load or save holds the window.
    VehicleDataForm(const TwipsScale& scale, Dialogs& dialogs, const RunGuard& guard, QWidget* parent);

    // The font growth at which every caption, value and command fits.
    double GrowthNeeded() const;
    // Places the form and its controls at the scale's font growth.
    void PlaceControls();

    // What a load shows.
    void ShowValues(const Stuff::VehicleTexts& values, bool hasPitchFactor);
    void SetVersionCaption(const std::string& caption, bool known);
    void HideRecordCount();
    void ShowRecordCount(const std::string& text);
    // The notes with CR LF line breaks, as the run file keeps them. Setting
    // them counts as a change only when the text differs.
    void SetNotesText(const QString& withCrLf);
    QString NotesText() const;
    // Closes any field left open, showing its label with the committed value.
    void CloseOpenFields();

    // The command and field states; the notes are writable only when the
    // fields are enabled and the file has a place for notes.
    void SetControlStates(bool edit, bool undo, bool save, bool fields, bool notesWritable);
    // Edit mode is when Undo is enabled.
    bool InEditMode() const;

    // Leaving a field: the entry is checked and committed to its label, or
    // rejected with its message and selected for correcting.
    void LeaveField(FieldIndex index);
    // Leaves the open field, as the save does first; false when its entry was
    // rejected (its message shown once) and the field stays open.
    bool CommitOpenFields();
    Stuff::VehicleTexts CommittedTexts() const;

signals:
    // Any change of a field box's or of the notes' text, typed or set.
    void textChanged();
    void editClicked();
    void undoClicked();
    void saveClicked();

private:
    struct FieldRow {
        QLabel* caption = nullptr;
        ValueLabel* value = nullptr;
        FieldBox* box = nullptr;
    };

    void BuildHeader();
    void BuildFieldRow(FieldIndex index);
    void BuildNotes();
    void BuildCommands();
    void SetTabOrder();
    // Twips given in the window's coordinates, placed inside the form.
    void Place(QWidget* widget, const QRect& twips) const;

    void BeginFieldEdit(FieldIndex index);
    void EndFieldEdit(FieldIndex index);
    void RejectEntry(FieldIndex index, const std::string& message);
    void FieldBoxLeft(FieldIndex index, Qt::FocusReason reason);
    void LeaveByKeyboard(FieldIndex index);
    void CancelField(FieldIndex index);

    const TwipsScale& scale_;
    Dialogs& dialogs_;
    const RunGuard& guard_;
    // Guards the leave against the focus moves its own message box and focus
    // restore cause, so one leave shows one message.
    bool inLeaveHandler_ = false;

    QLabel* lblPASSVersion = nullptr;
    QLabel* lblRecordsRead = nullptr;
    std::array<FieldRow, FieldCount> fields_{};
    QLabel* lblVehicleNotes = nullptr;
    QPlainTextEdit* txtVehicleNotes = nullptr;
    QPushButton* cmdEdit = nullptr;
    QPushButton* cmdUndo = nullptr;
    QPushButton* cmdSave = nullptr;
};
