// The file browser's lists and their linkage: the drive sets the folder list,
// the folder list sets the file list, a click on a file loads it. A folder
// that cannot be read is reported and replaced by the program's own folder.
#include <QAction>
#include <QFile>
#include <QMenu>

#include "main_window/DirListBox.h"
#include "main_window/DriveListBox.h"
#include "main_window/FileListBox.h"
#include "main_window/QtText.h"
#include "main_window/frmMain.h"
#include "support/RuntimeError.h"

void frmMain::driveGTP_Change() {
    if (IsBusy()) {
        return;
    }
    UpdateControls(false, false, false, false);
    const QString root = driveGTP->Drive();
    try {
        dirGTP->SetPath(root);
    } catch (const RuntimeError&) {
        // The drive list keeps the drive that was chosen.
        ReportUnreadableFolder(root);
        ShowProgramFolder();
    }
    dirGTP->Refresh();
}

void frmMain::dirGTP_Change() {
    UpdateControls(false, false, false, false);
    const QString folder = dirGTP->Path();
    try {
        fileGTP->SetPath(folder);
    } catch (const RuntimeError&) {
        ReportUnreadableFolder(folder);
        ShowProgramFolder();
        return;
    }
    fileGTP->Refresh();
}

void frmMain::dirGTP_EnterFailed(const QString& folder) {
    if (IsBusy()) {
        return;
    }
    ReportUnreadableFolder(folder);
    ShowProgramFolder();
}

void frmMain::ReportUnreadableFolder(const QString& folder) {
    // The message names the folder that could not be read, not the one the
    // list still shows.
    Message("There was an error reading the [" + QtText::ToUtf8(folder) + "] directory!", MessageIcon::Exclamation);
}

void frmMain::ShowProgramFolder() {
    if (fallingBack_) {
        // The program's own folder cannot be read either: the lists stay
        // where they are.
        return;
    }
    fallingBack_ = true;
    try {
        dirGTP->SetPath(QFile::decodeName(QByteArray::fromStdString(services_.appInfo.Path)));
    } catch (const RuntimeError&) {
        ReportUnreadableFolder(QFile::decodeName(QByteArray::fromStdString(services_.appInfo.Path)));
    }
    fallingBack_ = false;
}

void frmMain::fileGTP_Click() {
    if (IsBusy()) {
        return;
    }
    RunGuard::Scope running(guard_);
    fileGTP->setToolTip(fileGTP->FileName());
    SetFileCommandsEnabled(RunLoad());
}

void frmMain::fileGTP_DblClick() { cmdEdit_Click(); }

void frmMain::fileGTP_MouseUp(Qt::MouseButton button, const QPoint& globalPosition) {
    if (IsBusy()) {
        return;
    }
    if (fileGTP->FileName().isEmpty()) {
        SetFileCommandsEnabled(false);
    }
    if (button == Qt::RightButton) {
        mnuFilePopup->popup(globalPosition);
    }
}

void frmMain::SetFileCommandsEnabled(bool enabled) {
    for (QAction* command : {mnuFilePopupOpen, mnuFilePopupEdit, mnuFilePopupDelete, mnuFilePopupRename}) {
        command->setEnabled(enabled);
    }
}

bool frmMain::FileCommandsEnabled() const { return mnuFilePopupEdit->isEnabled(); }
