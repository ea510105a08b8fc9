#pragma once
// The program's one window: the file browser panel on the left, the vehicle
// data form with the notes and the Edit, Undo and Save commands on the right,
// the credit line along the top and the links at the bottom. The window
// composes the two components, moves texts between them and the run-file
// object, and shows what the run-file object reports.
#include <QByteArray>
#include <QPixmap>
#include <QPoint>
#include <QString>
#include <QWidget>

#include <cstdint>
#include <string>

#include "main_window/RunGuard.h"
#include "main_window/TwipsScale.h"
#include "main_window/WindowServices.h"
#include "run_file/RunFile.h"
#include "support/ErrObject.h"
#include "support/FileHandle.h"
#include "support/PlacedWindow.h"

class ClickableLabel;
class FileBrowserPanel;
class VehicleDataForm;

class WindowAccess;

class frmMain final : public QWidget, private PlacedWindow {
    Q_OBJECT
public:
    explicit frmMain(WindowServices services, QWidget* parent = nullptr);
    ~frmMain() override;

    // The run file's number while a load has it open (the number the file
    // table lends it under), 0 otherwise. Declared first so that it exists
    // before anything else of the window.
    FileHandle RunFileHandle;

    // True once a field or the notes changed since the last load or save.
    bool blnDirtyData = false;
    // Records counted by the last load.
    int64_t lngNumRecords = 0;

    void UpdateControls(bool blnEnableEdit = false, bool blnEnableUndo = false, bool blnEnableSave = false,
                        bool blnEnableFields = false);
    void RefreshFiles();

    // A run file named from outside the window (the command line): the file
    // browser goes to its folder and selects it, and it loads as a click on
    // it does. An empty path names nothing and changes nothing.
    void OpenFile(const QByteArray& path);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    // What tests and benchmarks reach that no control offers.
    friend class WindowAccess;

    // The file selected in the file list; both return false when they did not
    // run to their end (a message has told the user why), or did not start
    // because a load or a save was running.
    bool LoadRunFile();
    bool SaveRunFile();

    // The commands; each is dropped while a load or a save runs, and those
    // that load, save or change a file run alone.
    void cmdEdit_Click();
    void cmdSave_Click();
    void cmdUndo_Click();
    void fileGTP_Click();
    void fileGTP_DblClick();
    // Delete (46), F2 (113) and F5 (116) released in the file browser or on
    // the window; the shift state does not matter.
    void HandleBrowserKey(int16_t KeyCode, int16_t Shift);
    void mnuFilePopupRefresh_Click();
    void lblAbout_Click();
    void lblVersionHistory_Click();
    void lblTesla_Click();
    void lblTeslaCopyright_Click();

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

    // Composition.
    void ConnectPanel();
    void ConnectForm();
    void BuildLinks();
    ClickableLabel* BuildLink(const char* name, const QString& caption, const char* tooltip,
                              void (frmMain::*handler)());
    // The whole window grows by the one factor its font needs, and is placed
    // again at that size.
    void FitToFont();
    double LinksGrowthNeeded() const;
    void PlaceLinks();
    void StartInWorkingFolder();

    // Title.
    QString ProgramTitle() const;
    void ShowLoadedFileInTitle(const QString& fileName);
    void SetDirty(bool dirty);

    // The loaded file's name as the file system spells it; empty when none.
    QByteArray LoadedFileName() const;

    // Start and close: the last folder, the placement and the pin option are
    // read once at the start and written once at the close.
    void Form_Load();
    void Form_Unload();
    void LoadOptions();
    bool SaveOptions();
    void RestoreLastFolder();
    void CentreOnceFramed();

    // Edit mode.
    void TextChanged();
    // Before the window closes or another file loads: with edits pending, asks
    // whether to save them. True when the caller may go on (nothing pending,
    // the edits discarded, or saved); false when they stay, in edit mode.
    bool SettlePendingEdits();

    // Load.
    class LoadDisplay;
    friend class LoadDisplay;
    bool RunLoad();
    bool NotesWritable() const;

    // Save.
    enum class SaveResult { Saved, EntryRejected, Failed };
    // The Save command's save: the file selected must be the file loaded.
    SaveResult RunSave();
    // Commits the open field and writes into the file loaded last.
    SaveResult SaveLoadedFile();
    SaveResult WriteCommittedValues();
    // After a save that wrote nothing: the edits stay in edit mode, and a
    // failure is confirmed (a rejected entry has said why already).
    void KeepEditsAfterSave(SaveResult result);

    // Failures of the load and the save, worded the same way.
    void ShowFileFailure(int32_t number, const std::string& description, const char* action,
                         const QString& fileName);

    // File browser.
    void FolderChanged();
    void ReportUnreadableFolder(const QString& folder);
    void SizeFileBrowser(int32_t x);
    void lblTeslaCopyright_MouseMove();
    bool NoFileSelected();
    void DeleteSelectedFile();
    void AskAndDelete(const std::string& fullPath);
    void RenameSelectedFile();
    void AskAndRename(const std::string& oldPath);
    // The selection goes back to the loaded file, or to nothing when the list
    // shows another folder.
    void SelectLoadedFile();
    void FollowRenamedFile(const std::string& newPath, const QByteArray& newName);
    void ForgetDeletedFile();
    void OpenWithPass();
    void HandToPass(const std::string& fullPath);
    void ShowFileCommandFailure(const char* attempt, const ErrObject& error);

    // Links.
    void OpenLink(const std::string& target);

    // Message boxes of the window.
    MessageAnswer Message(const std::string& text, MessageIcon icon,
                          MessageButtons buttons = MessageButtons::OK);

    WindowServices services_;
    TwipsScale scale_;
    RunGuard guard_;

    // The file the last successful load read, with what it learned, which
    // the save relies on; every load starts by forgetting it.
    Stuff::RunFile runFile_;
    // Its name in its folder, as the file system spells it.
    QByteArray loadedName_;

    // Set while the window waits to be centred with its frame, which the
    // desktop adds only once the window is shown.
    bool centreOnceFramed_ = false;

    QPixmap background_;

    FileBrowserPanel* panel_ = nullptr;
    VehicleDataForm* form_ = nullptr;
    ClickableLabel* lblTeslaCopyright = nullptr;
    ClickableLabel* lblTesla = nullptr;
    ClickableLabel* lblAbout = nullptr;
    ClickableLabel* lblVersionHistory = nullptr;
};
