// The commands on the selected run file: loading it by a click, the Delete,
// F2 and F5 keys and the pop-up menu's delete, rename and "Open w/PASS". The
// loaded file renamed keeps its load; deleted, it ends it.
#include <QPointer>

#include "main_window/BrowserKeys.h"
#include "main_window/FileBrowserPanel.h"
#include "main_window/QtText.h"
#include "main_window/VehicleDataForm.h"
#include "main_window/frmMain.h"
#include "run_file/RunFileName.h"
#include "support/Errors.h"
#include "support/Files.h"
#include "support/Paths.h"
#include "support/Process.h"

void frmMain::fileGTP_Click() {
    guard_.Alone([this] {
        if (!SettlePendingEdits()) {
            // The edits stay with their file, and the file stays selected.
            SelectLoadedFile();
            return;
        }
        panel_->ShowFileTip();
        panel_->SetFileCommandsEnabled(RunLoad());
    });
}

void frmMain::SelectLoadedFile() {
    const QByteArray name = LoadedFileName();
    const bool shown = !name.isEmpty() && Paths::Join(panel_->Folder().toStdString(), name.toStdString()) ==
                                              runFile_.Path();
    panel_->SelectFileNamed(shown ? name : QByteArray());
}

void frmMain::fileGTP_DblClick() { cmdEdit_Click(); }

void frmMain::OpenFile(const QByteArray& path) {
    guard_.UnlessBusy([this, &path] {
        if (!path.isEmpty() && panel_->ShowFile(path)) {
            fileGTP_Click();
        }
    });
}

void frmMain::HandleBrowserKey(int16_t KeyCode, int16_t /*Shift*/) {
    switch (KeyCode) {
    case BrowserKeys::Delete:
        if (panel_->FileCommandsEnabled()) {
            DeleteSelectedFile();
        }
        break;
    case BrowserKeys::F2:
        if (panel_->FileCommandsEnabled()) {
            RenameSelectedFile();
        }
        break;
    case BrowserKeys::F5:
        mnuFilePopupRefresh_Click();
        break;
    default:
        break;
    }
}

void frmMain::mnuFilePopupRefresh_Click() {
    guard_.UnlessBusy([this] { RefreshFiles(); });
}

bool frmMain::NoFileSelected() {
    // The commands stay enabled after the loaded file was deleted or renamed,
    // when nothing is selected any more: they then act on nothing.
    if (panel_->FileName().isEmpty()) {
        Message("You must select a PASS file first!", MessageIcon::Exclamation);
        return true;
    }
    return false;
}

void frmMain::ShowFileCommandFailure(const char* attempt, const ErrObject& error) {
    Message("WARNING:  error (" + std::to_string(error.Number()) + ") - " + error.Description() +
                " - occurred while attempting to " + attempt + " the file.",
            MessageIcon::Critical);
}

void frmMain::DeleteSelectedFile() {
    guard_.Alone([this] {
        if (!NoFileSelected()) AskAndDelete(panel_->SelectedFilePath());
    });
}

void frmMain::AskAndDelete(const std::string& fullPath) {
    // No is the default: Enter must not delete a file for good.
    const MessageAnswer answer = Message("This will permanently delete the file:\r\n" +
                                             QtText::ToUtf8(panel_->FileName()) +
                                             "\r\nAre you sure you want to delete it?",
                                         MessageIcon::Critical, MessageButtons::YesNoDefaultNo);
    if (answer != MessageAnswer::Yes) {
        return;
    }
    if (!Files::RemoveFile(fullPath)) {
        ShowFileCommandFailure("delete", Errors::LastError());
        return;
    }
    panel_->RefreshFiles();
    if (runFile_.IsLoaded() && runFile_.Path() == fullPath) {
        ForgetDeletedFile();
    }
}

void frmMain::ForgetDeletedFile() {
    // Nothing is loaded any more, so nothing can be edited or saved, and no
    // question about edits that have no file left comes up.
    runFile_.Forget();
    loadedName_.clear();
    form_->CloseOpenFields();
    SetDirty(false);
    setWindowTitle(ProgramTitle());
    UpdateControls(false, false, false, false);
}

void frmMain::RenameSelectedFile() {
    guard_.Alone([this] {
        if (!NoFileSelected()) AskAndRename(panel_->SelectedFilePath());
    });
}

void frmMain::AskAndRename(const std::string& oldPath) {
    const std::string answer = services_.dialogs.InputBox("Enter the new name for this file:",
                                                          QtText::ToUtf8(panel_->FileName()));
    const Stuff::NewName newName = Stuff::CheckNewName(answer);
    if (!newName.refusal.empty()) {
        Message(newName.refusal, MessageIcon::Exclamation);
        return;
    }
    if (newName.name.empty()) {
        return;
    }
    // Renaming never replaces a file that already has the new name.
    const std::string newPath = Paths::Join(panel_->Folder().toStdString(), newName.name);
    if (!Files::RenameFile(oldPath, newPath)) {
        ShowFileCommandFailure("rename", Errors::LastError());
        return;
    }
    panel_->RefreshFiles();
    if (runFile_.IsLoaded() && runFile_.Path() == oldPath) {
        FollowRenamedFile(newPath, QByteArray::fromStdString(newName.name));
    }
}

void frmMain::FollowRenamedFile(const std::string& newPath, const QByteArray& newName) {
    // The same file under its new name: the edits go on, and a save writes
    // into it there.
    runFile_.FollowRename(newPath);
    loadedName_ = newName;
    panel_->SelectFileNamed(newName);
    panel_->ShowFileTip();
    ShowLoadedFileInTitle(QtText::PathText(newName));
}

void frmMain::OpenWithPass() {
    guard_.UnlessBusy([this] {
        if (!NoFileSelected()) HandToPass(panel_->SelectedFilePath());
    });
}

void frmMain::HandToPass(const std::string& fullPath) {
    const std::string failed = "Shell [\"" + QtText::ToUtf8(QtText::PathText(QByteArray::fromStdString(fullPath))) +
                               "\"] failed!\r\n\r\nAre you sure you've associated the .GTP file extension to PASS?";
    // The launcher may find no program only after it started: it then reports
    // the failure later, while the window goes on.
    QPointer<frmMain> window(this);
    const auto report = [window, failed] {
        if (window) window->Message(failed, MessageIcon::Critical);
    };
    if (Process::OpenDocument("\"" + fullPath + "\"", services_.documents, report) == 0) {
        report();
    }
}
