#pragma once
// The fly-out file browser at the window's left edge: the drive, folder and
// file lists, linked so that a drive sets the folder list and a folder the
// file list; the file list's pop-up menu and the Delete, F2 and F5 keys; and
// the panel's own sizing, collapsed to a strip unless the pointer is over it
// or the Pin box keeps it open. It acts on nothing itself: what the user asks
// for goes to the window as signals. Folder and file names are kept as the
// file system's bytes, so names that are not UTF-8 are entered and acted on
// as they are.
//
// The keyboard: the window's Ctrl+O opens the panel into the file list;
// Escape, or the focus moving on to the rest of the window, closes it unless
// it is pinned. Collapsed, its lists and the Pin box take no focus, and a
// panel that collapses gives the focus back to where it was before it came
// in, so no key acts on a list the user cannot see.
#include <QByteArray>
#include <QGroupBox>
#include <QPointer>
#include <QString>

#include <cstdint>
#include <string>

class DirListBox;
class DriveListBox;
class FileListBox;
class QAction;
class QCheckBox;
class QLabel;
class QMenu;
class RunGuard;
class TwipsScale;

class FileBrowserPanel : public QGroupBox {
    Q_OBJECT
public:
    // `programFolder`: where the lists go when a folder cannot be read.
    FileBrowserPanel(const TwipsScale& scale, const RunGuard& guard, QByteArray programFolder, QWidget* parent);

    // The font growth at which the caption, the drive list, the hint and the
    // Pin box fit.
    double GrowthNeeded() const;
    // Places the panel, at its height, and its controls at the scale's font
    // growth.
    void PlaceControls();

    // The selected file's name as shown, empty when none is selected.
    QString FileName() const;
    // The same name as the file system spells it.
    QByteArray FileNameBytes() const;
    // Selects the file of that name in the folder shown, without a click;
    // an empty name selects nothing.
    void SelectFileNamed(const QByteArray& name);
    // Its full path as the file system spells it; empty when none is selected.
    std::string SelectedFilePath() const;
    // The folder the file list shows, as the file system spells it.
    QByteArray Folder() const;
    // Chooses the drive that holds the folder and shows the folder. Throws
    // RuntimeError 76 when it cannot be read, with the drive chosen and the
    // folder list as it was.
    void ShowFolder(const QByteArray& folder);
    // Shows the folder that holds the file (a path relative to the working
    // folder or absolute, as the file system spells it) and selects the file
    // there, on a row of its own when the list does not show it. False when
    // the folder cannot be read: folderUnreadable tells, and the lists stay
    // where they were.
    bool ShowFile(const QByteArray& path);
    // Shows the program's folder after a folder could not be read.
    void ShowProgramFolder();

    // Reads the drives, the folder and its files again.
    void RefreshAll();
    // Reads the files again.
    void RefreshFiles();

    // The file commands of the pop-up menu (Open, Edit, Delete, Rename) are
    // switched together.
    void SetFileCommandsEnabled(bool enabled);
    bool FileCommandsEnabled() const;
    // Shows the selected file's name as the file list's tooltip.
    void ShowFileTip();

    // Ctrl+O: opens the panel and puts the focus in the file list.
    void OpenFromKeyboard();
    bool Pinned() const;
    void SetPinned(bool pinned);
    // Opens the panel when x (twips, in the window's client area) lies left of
    // its right edge and closes it otherwise; a pinned panel stays open.
    void SizeFor(int32_t x);
    void Expand();
    void Collapse();
    bool IsOpen() const;

signals:
    // A drive or folder was chosen: the file loaded before is no longer shown.
    void folderChanged();
    // A folder could not be read; the panel goes to the program's folder next.
    void folderUnreadable(const QString& folder);
    void fileClicked();
    void fileDoubleClicked();
    // Keys released in one of the lists, as the key handlers receive them.
    void keyReleased(int16_t keyCode, int16_t shift);
    void editRequested();
    void deleteRequested();
    void renameRequested();
    void refreshRequested();
    void openRequested();

protected:
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    void BuildLists();
    void BuildHintsAndPin();
    void BuildPopup();
    void SetHeight(int twips);
    QRect CaptionRect() const;
    void FocusMoved(QWidget* old, QWidget* now);
    void GiveFocusBack();
    void DriveChanged();
    void FolderChanged();
    void FolderEnterFailed(const QByteArray& folder);
    void FileMouseUp(Qt::MouseButton button, const QPoint& globalPosition);
    void PinClicked();

    const TwipsScale& scale_;
    const RunGuard& guard_;
    const QByteArray programFolder_;
    // Set while a folder that could not be read is replaced by the program's
    // own, so a program folder that cannot be read either ends the chain.
    bool fallingBack_ = false;
    int heightTwips_ = 0;
    // Where the focus was before it came into the panel.
    QPointer<QWidget> focusBefore_;

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
};
