#pragma once
// The program's one window: the file browser on the left, the vehicle data of
// the loaded run file with its notes on the right, and the Edit, Undo and Save
// commands below them.
#include <QPixmap>
#include <QPoint>
#include <QString>
#include <QWidget>

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "main_window/RunGuard.h"
#include "main_window/WindowServices.h"
#include "run_file/RunFile.h"
#include "run_file/SavePlan.h"
#include "support/FileHandle.h"
#include "support/PlacedWindow.h"

class ClickableLabel;
class DirListBox;
class DriveListBox;
class FileListBox;
class QAction;
class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPlainTextEdit;
class QPushButton;

class frmMain : public QWidget, public PlacedWindow {
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
    int64_t lngNumRecords = 0;

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
    void fileGTP_MouseUp(Qt::MouseButton button, const QPoint& globalPosition);

    // The file browser panel: opens when the pointer (x in twips, in the
    // client area) is left of its right edge, closes when it is not, unless
    // the panel is pinned.
    void SizeFileBrowser(int32_t x);
    void Form_MouseMove(int32_t x);
    void framePASSFile_MouseMove();
    void lblTeslaCopyright_MouseMove();
    void chkPin_Click();

    // Delete (46), F2 (113) and F5 (116) released in the file browser or on
    // the window; the shift state does not matter.
    void HandleBrowserKey(int16_t KeyCode, int16_t Shift);
    void DeleteSelectedFile();
    void RenameSelectedFile();

    void mnuFilePopupEdit_Click();
    void mnuFilePopupDelete_Click();
    void mnuFilePopupRename_Click();
    void mnuFilePopupRefresh_Click();
    void mnuFilePopupOpen_Click();

    void lblAbout_Click();
    void lblTesla_Click();
    void lblTeslaCopyright_Click();
    void lblVersionHistory_Click();

    // Start and end of the window: the last folder, the placement and the pin
    // option are read once at the start and written once at the close.
    void Form_Load();
    void Form_Unload();
    void LoadOptions();
    // False when the settings store could not keep the value.
    bool SaveOptions();

    // The window as the placement sees it: positions and outer size in twips.
    std::string Name() const override;
    float Left() const override;
    float Top() const override;
    float Width() const override;
    float Height() const override;
    int16_t BorderStyle() const override;
    int16_t WindowState() const override;
    void Move(float left, float top) override;
    void SetWidth(float width) override;
    void SetHeight(float height) override;

    // True while a load or a save runs; commands that arrive meanwhile are
    // ignored, and a close waits until it has ended.
    bool IsBusy() const { return guard_.Busy(); }

    // The full path of the file selected in the file list, as the file system
    // spells it; empty when none is selected.
    std::string SelectedFilePath() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

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
    void PlaceHintsAndPin();
    void BuildFields();
    void BuildFieldRow(FieldIndex index, const char* name, const char* captionName, const char* caption,
                       const char* tooltip, int top);
    void BuildNotes();
    void BuildCommands();
    void BuildFilePopup();
    void BuildLinks();
    ClickableLabel* BuildLink(const char* name, const QString& caption, const char* tooltip,
                              void (frmMain::*handler)());
    void PlaceTwips(QWidget* widget, int left, int top, int width, int height) const;
    int TwipsToPixelsX(double twips) const;
    int TwipsToPixelsY(double twips) const;
    int32_t PixelsToTwipsX(double pixels) const;
    QString WindowTitle() const;
    void StartInWorkingFolder();
    void RestoreLastFolder();
    void PlaceAboutLabel();

    // Fields.
    void BeginFieldEdit(QLineEdit* box, QLabel* value);
    void EndFieldEdit(QLineEdit* box, QLabel* value);
    void RejectEntry(QLineEdit* box, const std::string& message);
    void LeaveField(FieldIndex index);
    static Stuff::Field CoreField(FieldIndex index);
    void FieldLabelClicked(FieldIndex index);
    bool HandleFocusOut(QObject* watched, QEvent* event);

    // Edit mode.
    void TextChanged();
    bool InEditMode() const;

    // Load.
    class LoadDisplay;
    friend class LoadDisplay;
    bool RunLoad();
    void ShowFields(const Stuff::RunFileContents& contents);
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
    static std::string FileSystemPath(const QString& path);

    // File browser.
    void driveGTP_Change();
    void dirGTP_Change();
    void dirGTP_EnterFailed(const QString& folder);
    void ReportUnreadableFolder(const QString& folder);
    void ShowProgramFolder();
    void SetFileCommandsEnabled(bool enabled);
    bool FileCommandsEnabled() const;
    bool PanelPinned() const;
    void SetPanelHeight(int twips);
    int PanelHeight() const;
    bool HandleMouseMove(QObject* watched, QEvent* event);
    bool HandleBrowserKeyRelease(QObject* watched, QEvent* event);
    bool NoFileSelected();
    void ShowFileCommandFailure(const char* attempt);
    static std::optional<std::string> RefusedNewName(const QString& answer);

    // Links.
    void OpenLink(const std::string& target);

    // Message boxes of the window.
    MessageAnswer Message(const std::string& text, MessageIcon icon,
                          MessageButtons buttons = MessageButtons::OK);

    WindowServices services_;
    RunGuard guard_;

    // Guards the leave handlers against the focus moves their own message box
    // and focus restore cause, so one leave shows one message.
    bool inLeaveHandler_ = false;

    // The file the last successful load read, with what it learned, which
    // the save relies on; every load starts by forgetting it.
    Stuff::RunFile runFile_{RunFileHandle};

    // Set while a folder that could not be read is replaced by the program's
    // own, so a program folder that cannot be read either ends the chain.
    bool fallingBack_ = false;

    // The panel's height in twips: collapsed or open.
    int panelHeight_ = 6975;

    QPixmap background_;

    QGroupBox* framePASSFile = nullptr;
    DriveListBox* driveGTP = nullptr;
    DirListBox* dirGTP = nullptr;
    FileListBox* fileGTP = nullptr;
    QLabel* lblFileHints = nullptr;
    QCheckBox* chkPin = nullptr;
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

    ClickableLabel* lblTeslaCopyright = nullptr;
    ClickableLabel* lblTesla = nullptr;
    ClickableLabel* lblAbout = nullptr;
    ClickableLabel* lblVersionHistory = nullptr;
};
