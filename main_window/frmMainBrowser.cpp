// The file browser's lists and their linkage: the drive sets the folder list,
// the folder list sets the file list, a click on a file loads it.
#include <QAction>

#include "main_window/DirListBox.h"
#include "main_window/DriveListBox.h"
#include "main_window/FileListBox.h"
#include "main_window/frmMain.h"
#include "support/RuntimeError.h"

void frmMain::driveGTP_Change() {
    if (IsBusy()) {
        return;
    }
    UpdateControls(false, false, false, false);
    try {
        dirGTP->SetPath(driveGTP->Drive());
        dirGTP->Refresh();
    } catch (const RuntimeError&) {
        Message("There was an error reading the [" + dirGTP->Path().toStdString() + "] directory!",
                MessageIcon::Exclamation);
    }
}

void frmMain::dirGTP_Change() {
    UpdateControls(false, false, false, false);
    try {
        fileGTP->SetPath(dirGTP->Path());
        fileGTP->Refresh();
    } catch (const RuntimeError&) {
        Message("There was an error reading the [" + fileGTP->Path().toStdString() + "] directory!",
                MessageIcon::Exclamation);
    }
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

void frmMain::SetFileCommandsEnabled(bool enabled) {
    for (QAction* command : {mnuFilePopupOpen, mnuFilePopupEdit, mnuFilePopupDelete, mnuFilePopupRename}) {
        command->setEnabled(enabled);
    }
}
