#pragma once
// The program's one window: the file browser on the left, the vehicle data of
// the loaded run file with its notes on the right, and the Edit, Undo and Save
// commands below them.
#include <QString>
#include <QWidget>

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "main_window/LoadedRunFile.h"
#include "main_window/RunGuard.h"
#include "main_window/WindowServices.h"
#include "run_file/ByteSource.h"
#include "run_file/RunFileState.h"
#include "run_file/SavePlan.h"
#include "support/FileHandle.h"

class ClickableLabel;
class DirListBox;
class DriveListBox;
class FileListBox;
class QAction;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPlainTextEdit;
class QPushButton;

class frmMain : public QWidget {
    Q_OBJECT
public:
    explicit frmMain(WindowServices services, QWidget* parent = nullptr);
    ~frmMain() override;

    // The run file's number while a load or a save has it open. Declared first
    // so that it exists before anything else of the window.
    FileHandle RunFileHandle;

    // True once a field or the notes changed since the last load or save.
    bool blnDirtyData = false;
    // Records counted by the last load.
    int32_t lngNumRecords = 0;

    void UpdateControls(bool blnEnableEdit = false, bool blnEnableUndo = false, bool blnEnableSave = false,
                        bool blnEnableFields = false);
    void RefreshFiles();

    // The file selected in the file list; both return false when they did not
    // run to their end (a message has told the user why).
    bool LoadRunFile();
    bool SaveRunFile();

    // Leaving a field: check it and commit it to its value label. Public, as
    // the save commits open fields through them.
    void txtRunName_LostFocus();
    void txtVehicleName_LostFocus();
    void txtVehicleWeight_LostFocus();
    void txtVehicleRedline_LostFocus();
    void txtVehicleShiftPoint_LostFocus();
    void txtVehicleRolloutLength_LostFocus();
    void txtPitchFactor_LostFocus();

    void cmdEdit_Click();
    void cmdSave_Click();
    void cmdUndo_Click();

    void fileGTP_Click();
    void fileGTP_DblClick();

    // True while a load or a save runs; commands that arrive meanwhile are
    // ignored, and a close waits until it has ended.
    bool IsBusy() const { return guard_.Busy(); }

    // The full path of the file selected in the file list; empty when none is.
    QString SelectedFilePath() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    enum FieldIndex { RunName, VehicleName, VehicleWeight, Redline, ShiftPoint, RolloutLength, PitchFactor, FieldCount };

    struct FieldRow {
        QLabel* caption = nullptr;
        ClickableLabel* value = nullptr;
        QLineEdit* box = nullptr;
    };

    // Construction.
    void BuildControls();
    void BuildFileBrowser();
    void BuildFields();
    void BuildFieldRow(FieldIndex index, const char* name, const char* captionName, const char* caption,
                       const char* tooltip, int maxLength, int top);
    void BuildNotes();
    void BuildCommands();
    void BuildFilePopup();
    void PlaceTwips(QWidget* widget, int left, int top, int width, int height) const;
    int TwipsToPixelsX(double twips) const;
    int TwipsToPixelsY(double twips) const;
    QString WindowTitle() const;
    void StartInWorkingFolder();

    // Fields.
    void BeginFieldEdit(QLineEdit* box, QLabel* value);
    void EndFieldEdit(QLineEdit* box, QLabel* value);
    bool ValidateLongRange(QLineEdit* box, int32_t lowest, int32_t highest);
    bool ValidateSingleRange(QLineEdit* box, float lowest, float highest);
    void RejectEntry(QLineEdit* box, const std::string& message);
    void NormaliseRolloutLength();
    void LeaveField(FieldIndex index);
    void FieldLabelClicked(FieldIndex index);
    bool HandleFocusOut(QObject* watched, QEvent* event);

    // Edit mode.
    void TextChanged();
    bool InEditMode() const;

    // Load.
    bool RunLoad();
    std::vector<uint8_t> ReadVersionAndFields(Stuff::ByteSource& source, Stuff::RunFileState& state);
    std::string ScanRunData(Stuff::ByteSource& source, Stuff::RunFileState& state);
    void ReportDamagedRecords(const std::string& list);
    void ShowRecordCount();
    void CloseOpenFields();
    void SetVersionCaption(const std::string& caption, bool known);
    void ShowPitchFactor(bool shown);
    void SetNotesText(const QString& shownWithCrLf);
    QString NotesText() const;
    bool NotesWritable() const;

    // Save.
    bool RunSave();
    void CommitOpenFields();
    Stuff::VehicleTexts CommittedTexts() const;

    // Failures of the load and the save, worded the same way.
    void ShowFileFailure(int32_t number, const std::string& description, const char* action,
                         const QString& fileName);
    void CloseRunFile();
    static std::string FileSystemPath(const QString& path);

    // File browser.
    void driveGTP_Change();
    void dirGTP_Change();
    void SetFileCommandsEnabled(bool enabled);

    // Message boxes of the window.
    MessageAnswer Message(const std::string& text, MessageIcon icon,
                          MessageButtons buttons = MessageButtons::OK);

    WindowServices services_;
    RunGuard guard_;

    // Guards the leave handlers against the focus moves their own message box
    // and focus restore cause, so one leave shows one message.
    bool inLeaveHandler_ = false;

    // What the last successful load (or our own save after it) learned about
    // the file; every load starts by forgetting it.
    std::optional<LoadedRunFile> loaded_;

    QGroupBox* framePASSFile = nullptr;
    DriveListBox* driveGTP = nullptr;
    DirListBox* dirGTP = nullptr;
    FileListBox* fileGTP = nullptr;
    QMenu* mnuFilePopup = nullptr;
    QAction* mnuFilePopupEdit = nullptr;
    QAction* mnuFilePopupDelete = nullptr;
    QAction* mnuFilePopupRename = nullptr;
    QAction* mnuFilePopupRefresh = nullptr;
    QAction* mnuFilePopupOpen = nullptr;

    QLabel* lblPASSVersion = nullptr;
    QLabel* lblRecordsRead = nullptr;
    std::array<FieldRow, FieldCount> fields_{};
    QLabel* lblVehicleNotes = nullptr;
    QPlainTextEdit* txtVehicleNotes = nullptr;
    QPushButton* cmdEdit = nullptr;
    QPushButton* cmdUndo = nullptr;
    QPushButton* cmdSave = nullptr;
};
