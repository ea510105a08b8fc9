// The commands on the selected run file: the file list's pop-up menu, the
// Delete, F2 and F5 keys, and the delete, rename and "Open w/PASS" they run.
#include <QAction>
#include <QDir>
#include <QFile>
#include <QKeyEvent>
#include <QMenu>

#include <algorithm>

#include "main_window/DirListBox.h"
#include "main_window/DriveListBox.h"
#include "main_window/FileListBox.h"
#include "main_window/QtText.h"
#include "main_window/frmMain.h"
#include "support/Errors.h"
#include "support/Files.h"
#include "support/Process.h"

namespace {

constexpr int16_t KeyDelete = 46;
constexpr int16_t KeyF2 = 113;
constexpr int16_t KeyF5 = 116;

// The key codes the browser acts on; every other key is 0.
int16_t KeyCodeOf(const QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_Delete:
        return KeyDelete;
    case Qt::Key_F2:
        return KeyF2;
    case Qt::Key_F5:
        return KeyF5;
    default:
        return 0;
    }
}

// Shift 1, Ctrl 2, Alt 4, as the key handlers receive them.
int16_t ShiftStateOf(const QKeyEvent* event) {
    const Qt::KeyboardModifiers held = event->modifiers();
    return static_cast<int16_t>((held & Qt::ShiftModifier ? 1 : 0) | (held & Qt::ControlModifier ? 2 : 0) |
                                (held & Qt::AltModifier ? 4 : 0));
}

}  // namespace

void frmMain::BuildFilePopup() {
    mnuFilePopup = new QMenu(QStringLiteral("File Popup Menu"), this);
    mnuFilePopup->setObjectName(QStringLiteral("mnuFilePopup"));
    const auto item = [this](const char* name, const char* caption, void (frmMain::*handler)()) {
        QAction* action = mnuFilePopup->addAction(QString::fromLatin1(caption));
        action->setObjectName(QString::fromLatin1(name));
        connect(action, &QAction::triggered, this, handler);
        return action;
    };
    mnuFilePopupEdit = item("mnuFilePopupEdit", "&Edit", &frmMain::mnuFilePopupEdit_Click);
    mnuFilePopupDelete = item("mnuFilePopupDelete", "&Delete (DEL)", &frmMain::mnuFilePopupDelete_Click);
    mnuFilePopupRename = item("mnuFilePopupRename", "Re&name (F2)", &frmMain::mnuFilePopupRename_Click);
    mnuFilePopup->addSeparator()->setObjectName(QStringLiteral("mnuFilePopupSeparator1"));
    mnuFilePopupRefresh =
        item("mnuFilePopupRefresh", "&Refresh Directory Tree (F5)", &frmMain::mnuFilePopupRefresh_Click);
    mnuFilePopup->addSeparator()->setObjectName(QStringLiteral("mnuFilePopupSeparator2"));
    mnuFilePopupOpen = item("mnuFilePopupOpen", "Open w/PASS", &frmMain::mnuFilePopupOpen_Click);
    SetFileCommandsEnabled(false);
}

void frmMain::mnuFilePopupEdit_Click() { cmdEdit_Click(); }
void frmMain::mnuFilePopupDelete_Click() { DeleteSelectedFile(); }
void frmMain::mnuFilePopupRename_Click() { RenameSelectedFile(); }

void frmMain::mnuFilePopupRefresh_Click() {
    if (!IsBusy()) {
        RefreshFiles();
    }
}

bool frmMain::HandleBrowserKeyRelease(QObject* watched, QEvent* event) {
    if (watched != driveGTP && watched != dirGTP && watched != fileGTP) {
        return false;
    }
    const auto* key = static_cast<QKeyEvent*>(event);
    // A held key repeats its release; the command runs once per press.
    if (!key->isAutoRepeat()) {
        HandleBrowserKey(KeyCodeOf(key), ShiftStateOf(key));
    }
    return true;
}

void frmMain::keyReleaseEvent(QKeyEvent* event) {
    // Keys released in the fields and on the buttons come up here as well;
    // only those released while the window itself has the focus are its own.
    const QWidget* focused = focusWidget();
    if ((focused == nullptr || focused == this) && !event->isAutoRepeat()) {
        HandleBrowserKey(KeyCodeOf(event), ShiftStateOf(event));
    }
    QWidget::keyReleaseEvent(event);
}

void frmMain::HandleBrowserKey(int16_t KeyCode, int16_t /*Shift*/) {
    if (IsBusy()) {
        return;
    }
    switch (KeyCode) {
    case KeyDelete:
        if (FileCommandsEnabled()) {
            DeleteSelectedFile();
        }
        break;
    case KeyF2:
        if (FileCommandsEnabled()) {
            RenameSelectedFile();
        }
        break;
    case KeyF5:
        RefreshFiles();
        break;
    default:
        break;
    }
}

bool frmMain::NoFileSelected() {
    // The commands stay enabled after the loaded file was deleted or renamed,
    // when nothing is selected any more: they then act on nothing.
    if (fileGTP->FileName().isEmpty()) {
        Message("You must select a PASS file first!", MessageIcon::Exclamation);
        return true;
    }
    return false;
}

void frmMain::ShowFileCommandFailure(const char* attempt) {
    const ErrObject& error = Errors::LastError();
    Message("WARNING:  error (" + std::to_string(error.Number()) + ") - " + error.Description() +
                " - occurred while attempting to " + attempt + " the file.",
            MessageIcon::Critical);
}

void frmMain::DeleteSelectedFile() {
    if (IsBusy() || NoFileSelected()) {
        return;
    }
    RunGuard::Scope running(guard_);
    const std::string fullPath = SelectedFilePath();
    const MessageAnswer answer = Message("This will permanently delete the file:\r\n" +
                                             QtText::ToUtf8(fileGTP->FileName()) +
                                             "\r\nAre you sure you want to delete it?",
                                         MessageIcon::Critical, MessageButtons::YesNo);
    if (answer != MessageAnswer::Yes) {
        return;
    }
    if (!Files::RemoveFile(fullPath)) {
        ShowFileCommandFailure("delete");
        return;
    }
    fileGTP->Refresh();
}

std::optional<std::string> frmMain::RefusedNewName(const QString& answer) {
    // A separator would move the file into another folder, and a control
    // character makes a name nobody can type again.
    const bool refused = std::any_of(answer.begin(), answer.end(), [](QChar c) {
        return c == QLatin1Char('/') || c.category() == QChar::Other_Control;
    });
    if (!refused) {
        return std::nullopt;
    }
    return "The name [" + QtText::ToUtf8(answer) +
           "] cannot be used: a file name may not contain \"/\" or control characters.\r\n"
           "The file was not renamed.";
}

void frmMain::RenameSelectedFile() {
    if (IsBusy() || NoFileSelected()) {
        return;
    }
    RunGuard::Scope running(guard_);
    const QString oldName = fileGTP->FileName();
    QString answer = QtText::FromUtf8(
                         services_.dialogs.InputBox("Enter the new name for this file:", QtText::ToUtf8(oldName)))
                         .trimmed();
    if (answer.isEmpty()) {
        return;
    }
    if (const std::optional<std::string> refusal = RefusedNewName(answer)) {
        Message(*refusal, MessageIcon::Exclamation);
        return;
    }
    if (answer.right(4).toUpper() != QStringLiteral(".GTP")) {
        answer += QStringLiteral(".gtp");
    }
    // Renaming never replaces a file that already has the new name.
    const std::string newPath = FileSystemPath(QDir(fileGTP->Path()).filePath(answer));
    if (!Files::RenameFile(SelectedFilePath(), newPath)) {
        ShowFileCommandFailure("rename");
        return;
    }
    fileGTP->Refresh();
}

void frmMain::mnuFilePopupOpen_Click() {
    if (IsBusy() || NoFileSelected()) {
        return;
    }
    const std::string fullPath = SelectedFilePath();
    const std::string target = "\"" + fullPath + "\"";
    if (Process::OpenDocument(target, services_.documents) == 0) {
        Message("Shell [\"" + QtText::ToUtf8(QFile::decodeName(QByteArray::fromStdString(fullPath))) +
                    "\"] failed!\r\n\r\nAre you sure you've associated the .GTP file extension to PASS?",
                MessageIcon::Critical);
    }
}
