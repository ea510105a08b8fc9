#include "main_window/FileBrowserPanel.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QStyle>
#include <QStyleOptionGroupBox>
#include <QToolTip>

#include <algorithm>
#include <utility>

#include "base/RuntimeError.h"
#include "main_window/BrowserKeys.h"
#include "main_window/DirListBox.h"
#include "main_window/DriveListBox.h"
#include "main_window/FileListBox.h"
#include "main_window/QtText.h"
#include "main_window/RunGuard.h"
#include "main_window/TwipsScale.h"
#include "main_window/frmMainDesign.h"
#include "support/Files.h"
#include "support/Paths.h"

namespace {

void StyleAsList(QWidget* list) {
    QPalette palette = list->palette();
    palette.setColor(QPalette::Base, Design::ListGrey);
    palette.setColor(QPalette::Button, Design::ListGrey);
    palette.setColor(QPalette::Text, Design::Blue);
    palette.setColor(QPalette::ButtonText, Design::Blue);
    list->setPalette(palette);
}

// A tooltip that looks like markup would be shown as markup; this one shows
// the text as it is.
QString PlainTip(const QString& text) { return text.isEmpty() ? text : Qt::convertFromPlainText(text); }

const char* const CaptionTip = "Ctrl+O opens the file browser; Escape closes it unless it is pinned.";

// Places in the panel, in twips. The drive list lies in the collapsed strip,
// below the caption; the lists touch; the hint and the Pin box share the row
// under them, the Pin box as wide as it needs and right-aligned with the lists.
constexpr int ListLeft = 120;
constexpr int ListWidth = 5295;
constexpr int DriveTop = 255;
constexpr int DriveHeight = 330;
constexpr int FoldersTop = 600;
constexpr int FilesTop = 3600;
constexpr int FilesHeight = 3015;
constexpr int HintsTop = 6630;
constexpr int HintsHeight = 330;

}  // namespace

FileBrowserPanel::FileBrowserPanel(const TwipsScale& scale, const RunGuard& guard, QByteArray programFolder,
                                   QWidget* parent)
    : QGroupBox(QStringLiteral("Mouse over to select your GTech PASS file (*.GTP)"), parent),
      scale_(scale),
      guard_(guard),
      programFolder_(std::move(programFolder)) {
    setObjectName(QStringLiteral("framePASSFile"));
    setAutoFillBackground(true);
    QPalette panel = palette();
    panel.setColor(QPalette::Window, Design::PanelGrey);
    setPalette(panel);
    heightTwips_ = Design::PanelOpenHeight;
    BuildLists();
    BuildHintsAndPin();
    BuildPopup();
    PlaceControls();
    // Moves without a button held arrive only where tracking is on.
    setMouseTracking(true);
    connect(qApp, &QApplication::focusChanged, this, &FileBrowserPanel::FocusMoved);
}

void FileBrowserPanel::BuildLists() {
    driveGTP = new DriveListBox(this);
    driveGTP->setObjectName(QStringLiteral("driveGTP"));
    driveGTP->setAccessibleName(QStringLiteral("Drives"));
    // On Linux a screen reader names a combo box by the label that points at
    // it; there is no room for one, so it stays hidden.
    auto* drives = new QLabel(QStringLiteral("Drives"), this);
    drives->setObjectName(QStringLiteral("lblDrives"));
    drives->setBuddy(driveGTP);
    drives->hide();
    driveGTP->setToolTip(QStringLiteral("Select the drive to look for GTP files in."));

    dirGTP = new DirListBox(this);
    dirGTP->setObjectName(QStringLiteral("dirGTP"));
    dirGTP->setAccessibleName(QStringLiteral("Folders"));
    dirGTP->setToolTip(QStringLiteral("Double-click to select a directory to display GTP files in."));

    fileGTP = new FileListBox(this);
    fileGTP->setObjectName(QStringLiteral("fileGTP"));
    fileGTP->setAccessibleName(QStringLiteral("Run files"));
    fileGTP->SetPattern(QStringLiteral("*.gtp"));

    for (QWidget* list : {static_cast<QWidget*>(driveGTP), static_cast<QWidget*>(dirGTP),
                          static_cast<QWidget*>(fileGTP)}) {
        StyleAsList(list);
        list->installEventFilter(this);
    }

    connect(driveGTP, &DriveListBox::driveChanged, this, &FileBrowserPanel::DriveChanged);
    connect(dirGTP, &DirListBox::pathChanged, this, &FileBrowserPanel::FolderChanged);
    connect(dirGTP, &DirListBox::enterFailed, this, &FileBrowserPanel::FolderEnterFailed);
    connect(fileGTP, &FileListBox::clicked, this, &FileBrowserPanel::fileClicked);
    connect(fileGTP, &FileListBox::doubleClicked, this, &FileBrowserPanel::fileDoubleClicked);
    connect(fileGTP, &FileListBox::mouseReleased, this, &FileBrowserPanel::FileMouseUp);
}

void FileBrowserPanel::BuildHintsAndPin() {
    lblFileHints =
        new QLabel(QStringLiteral("Select a file and then right-click for context-specific commands."), this);
    lblFileHints->setObjectName(QStringLiteral("lblFileHints"));
    lblFileHints->setTextFormat(Qt::PlainText);
    QPalette hints = lblFileHints->palette();
    hints.setColor(QPalette::WindowText, Design::Blue);
    lblFileHints->setPalette(hints);
    QFont small = lblFileHints->font();
    small.setFamily(QStringLiteral("Arial"));
    small.setPointSizeF(8);
    lblFileHints->setFont(small);

    chkPin = new QCheckBox(QStringLiteral("Pin"), this);
    chkPin->setObjectName(QStringLiteral("chkPin"));
    chkPin->setToolTip(QStringLiteral("Toggles whether the file browser is pinned open or not."));
    connect(chkPin, &QCheckBox::clicked, this, &FileBrowserPanel::PinClicked);
}

void FileBrowserPanel::PlaceControls() {
    scale_.Place(this, Design::PanelLeft, Design::PanelTop, Design::PanelWidth, heightTwips_);
    scale_.Place(driveGTP, ListLeft, DriveTop, ListWidth, DriveHeight);
    scale_.Place(dirGTP, ListLeft, FoldersTop, ListWidth, FilesTop - FoldersTop);
    scale_.Place(fileGTP, ListLeft, FilesTop, ListWidth, FilesHeight);
    // The Pin box ends where the lists end and is as wide as its box and
    // caption need; the hint takes the rest of the row.
    scale_.Place(lblFileHints, ListLeft, HintsTop, ListWidth, HintsHeight);
    const int pinWidth = chkPin->sizeHint().width();
    const int pinLeft = lblFileHints->geometry().right() + 1 - pinWidth;
    chkPin->setGeometry(pinLeft, lblFileHints->y(), pinWidth, lblFileHints->height());
    lblFileHints->resize(pinLeft - lblFileHints->x(), lblFileHints->height());
}

QRect FileBrowserPanel::CaptionRect() const {
    QStyleOptionGroupBox caption;
    initStyleOption(&caption);
    return style()->subControlRect(QStyle::CC_GroupBox, &caption, QStyle::SC_GroupBoxLabel, this);
}

double FileBrowserPanel::GrowthNeeded() const {
    // The caption lies above the drive list, and the hint beside the Pin box.
    const QRect title = CaptionRect();
    const QSize hints = lblFileHints->sizeHint();
    const QSize pin = chkPin->sizeHint();
    return std::max({scale_.GrowthToHold(QSize(title.left() + title.right() + 1, title.bottom() + 1),
                                         QRect(0, 0, Design::PanelWidth, DriveTop)),
                     scale_.GrowthToHold(QSize(0, driveGTP->sizeHint().height()),
                                         QRect(ListLeft, DriveTop, 0, DriveHeight)),
                     scale_.GrowthToHold(QSize(hints.width() + pin.width(), std::max(hints.height(), pin.height())),
                                         QRect(ListLeft, HintsTop, ListWidth, HintsHeight))});
}

void FileBrowserPanel::BuildPopup() {
    mnuFilePopup = new QMenu(QStringLiteral("File Popup Menu"), this);
    mnuFilePopup->setObjectName(QStringLiteral("mnuFilePopup"));
    const auto item = [this](const char* name, const char* caption, void (FileBrowserPanel::*request)()) {
        QAction* action = mnuFilePopup->addAction(QString::fromLatin1(caption));
        action->setObjectName(QString::fromLatin1(name));
        connect(action, &QAction::triggered, this, request);
        return action;
    };
    mnuFilePopupEdit = item("mnuFilePopupEdit", "&Edit", &FileBrowserPanel::editRequested);
    mnuFilePopupDelete = item("mnuFilePopupDelete", "&Delete (DEL)", &FileBrowserPanel::deleteRequested);
    mnuFilePopupRename = item("mnuFilePopupRename", "Re&name (F2)", &FileBrowserPanel::renameRequested);
    mnuFilePopup->addSeparator()->setObjectName(QStringLiteral("mnuFilePopupSeparator1"));
    mnuFilePopupRefresh =
        item("mnuFilePopupRefresh", "&Refresh Directory Tree (F5)", &FileBrowserPanel::refreshRequested);
    mnuFilePopup->addSeparator()->setObjectName(QStringLiteral("mnuFilePopupSeparator2"));
    mnuFilePopupOpen = item("mnuFilePopupOpen", "Open w/PASS", &FileBrowserPanel::openRequested);
    SetFileCommandsEnabled(false);
}

QString FileBrowserPanel::FileName() const { return fileGTP->FileName(); }

QByteArray FileBrowserPanel::FileNameBytes() const { return fileGTP->FileNameBytes(); }

void FileBrowserPanel::SelectFileNamed(const QByteArray& name) { fileGTP->SelectName(name); }

std::string FileBrowserPanel::SelectedFilePath() const {
    const QByteArray name = fileGTP->FileNameBytes();
    if (name.isEmpty()) {
        return {};
    }
    return Paths::Join(fileGTP->PathBytes().toStdString(), name.toStdString());
}

QByteArray FileBrowserPanel::Folder() const { return fileGTP->PathBytes(); }

void FileBrowserPanel::ShowFolder(const QByteArray& folder) {
    driveGTP->SetDrive(QtText::PathText(folder));
    dirGTP->SetPath(folder);
}

bool FileBrowserPanel::ShowFile(const QByteArray& path) {
    const QByteArray file = DirListBox::CleanPath(path);
    const qsizetype slash = file.lastIndexOf(Files::PathSeparator);
    // A file at the top of a drive lies in its root, separator and all.
    const auto root = static_cast<qsizetype>(Paths::RootLength(file.toStdString()));
    const QByteArray folder = file.left(std::max(slash, root));
    // Checked first: a folder that fails half-way would leave the lists on
    // its drive's root.
    if (!DirListBox::CanShow(folder)) {
        emit folderUnreadable(QtText::PathText(folder));
        return false;
    }
    try {
        ShowFolder(folder);
        // Read again even when the folder list was there already: the file
        // list may be behind it, or show another folder after one it could
        // not read.
        fileGTP->SetPath(folder);
    } catch (const RuntimeError&) {
        emit folderUnreadable(QtText::PathText(folder));
        ShowProgramFolder();
        return false;
    }
    fileGTP->SelectName(file.mid(slash + 1));
    return true;
}

void FileBrowserPanel::ShowProgramFolder() {
    if (fallingBack_) {
        // The program's own folder cannot be read either: the lists stay
        // where they are.
        return;
    }
    fallingBack_ = true;
    try {
        dirGTP->SetPath(programFolder_);
    } catch (const RuntimeError&) {
        emit folderUnreadable(QtText::PathText(programFolder_));
    }
    fallingBack_ = false;
}

void FileBrowserPanel::DriveChanged() {
    guard_.UnlessBusy([this] {
        emit folderChanged();
        const QString root = driveGTP->Drive();
        try {
            dirGTP->SetPath(root);
        } catch (const RuntimeError&) {
            // The drive list keeps the drive that was chosen.
            emit folderUnreadable(root);
            ShowProgramFolder();
        }
        dirGTP->Refresh();
    });
}

void FileBrowserPanel::FolderChanged() {
    emit folderChanged();
    const QByteArray folder = dirGTP->PathBytes();
    try {
        fileGTP->SetPath(folder);
    } catch (const RuntimeError&) {
        emit folderUnreadable(QtText::PathText(folder));
        ShowProgramFolder();
        return;
    }
    fileGTP->Refresh();
}

void FileBrowserPanel::FolderEnterFailed(const QByteArray& folder) {
    guard_.UnlessBusy([this, &folder] {
        // The message names the folder that could not be read, not the one
        // the list still shows.
        emit folderUnreadable(QtText::PathText(folder));
        ShowProgramFolder();
    });
}

void FileBrowserPanel::RefreshAll() {
    driveGTP->Refresh();
    dirGTP->Refresh();
    fileGTP->Refresh();
}

void FileBrowserPanel::RefreshFiles() { fileGTP->Refresh(); }

void FileBrowserPanel::SetFileCommandsEnabled(bool enabled) {
    for (QAction* command : {mnuFilePopupOpen, mnuFilePopupEdit, mnuFilePopupDelete, mnuFilePopupRename}) {
        command->setEnabled(enabled);
    }
}

bool FileBrowserPanel::FileCommandsEnabled() const { return mnuFilePopupEdit->isEnabled(); }

void FileBrowserPanel::ShowFileTip() { fileGTP->setToolTip(PlainTip(fileGTP->FileName())); }

void FileBrowserPanel::FileMouseUp(Qt::MouseButton button, const QPoint& globalPosition) {
    guard_.UnlessBusy([this, button, &globalPosition] {
        if (fileGTP->FileName().isEmpty()) {
            SetFileCommandsEnabled(false);
        }
        if (button == Qt::RightButton) {
            mnuFilePopup->popup(globalPosition);
        }
    });
}

bool FileBrowserPanel::Pinned() const { return chkPin->isChecked(); }

void FileBrowserPanel::SetPinned(bool pinned) { chkPin->setChecked(pinned); }

void FileBrowserPanel::PinClicked() {
    if (fileGTP->isVisible()) {
        fileGTP->setFocus();
    }
}

bool FileBrowserPanel::IsOpen() const { return heightTwips_ >= Design::PanelOpenHeight; }

void FileBrowserPanel::SetHeight(int twips) {
    heightTwips_ = twips;
    scale_.Place(this, Design::PanelLeft, Design::PanelTop, Design::PanelWidth, twips);
    // Collapsed, the panel's lists and Pin box take no focus (Ctrl+O is the
    // way in), and the focus leaves them.
    const bool open = IsOpen();
    const std::pair<QWidget*, Qt::FocusPolicy> controls[] = {
        {driveGTP, Qt::WheelFocus}, {dirGTP, Qt::StrongFocus}, {fileGTP, Qt::StrongFocus}, {chkPin, Qt::StrongFocus}};
    for (const auto& [control, policy] : controls) {
        control->setFocusPolicy(open ? policy : Qt::NoFocus);
    }
    if (!open && isAncestorOf(QApplication::focusWidget())) {
        GiveFocusBack();
    }
}

void FileBrowserPanel::GiveFocusBack() {
    QWidget* back = focusBefore_;
    focusBefore_ = nullptr;
    if (back != nullptr && back->isVisible() && back->isEnabled() && back->focusPolicy() != Qt::NoFocus) {
        back->setFocus(Qt::OtherFocusReason);
    } else {
        // Nothing to go back to: the window itself takes the keys.
        QApplication::focusWidget()->clearFocus();
    }
}

void FileBrowserPanel::FocusMoved(QWidget* old, QWidget* now) {
    // Another window taking the focus for a while (a message, a menu) is no
    // move within this one.
    if (now == nullptr || now->window() != window()) {
        return;
    }
    const bool wasInside = old != nullptr && isAncestorOf(old);
    const bool inside = isAncestorOf(now);
    if (inside && !wasInside) {
        // Back from a message or another window, it came from none of this
        // window's controls: where it was before stays.
        if (old != nullptr && old->window() == window()) focusBefore_ = old;
    } else if (wasInside && !inside) {
        focusBefore_ = nullptr;
        Collapse();
    }
}

void FileBrowserPanel::OpenFromKeyboard() {
    if (!IsOpen()) {
        SetHeight(Design::PanelOpenHeight);
    }
    fileGTP->setFocus(Qt::ShortcutFocusReason);
}

void FileBrowserPanel::Expand() {
    if (!Pinned() && !IsOpen()) {
        SetHeight(Design::PanelOpenHeight);
    }
}

void FileBrowserPanel::Collapse() {
    if (!Pinned() && heightTwips_ > Design::PanelCollapsedHeight) {
        SetHeight(Design::PanelCollapsedHeight);
    }
}

void FileBrowserPanel::SizeFor(int32_t x) {
    if (Pinned()) {
        return;
    }
    // One conversion of the edge's pixel, so the pointer's last pixel over the
    // panel counts as over it at any growth of the window.
    const int32_t rightEdge = scale_.ToTwipsX(geometry().x() + geometry().width());
    if (rightEdge > x) {
        if (!IsOpen()) {
            SetHeight(Design::PanelOpenHeight);
            // Not while a load or save runs: the focus move would close a
            // field it may be about to fill.
            if (fileGTP->isVisible() && !guard_.Busy()) {
                fileGTP->setFocus();
            }
        }
    } else {
        Collapse();
    }
}

void FileBrowserPanel::mouseMoveEvent(QMouseEvent* event) {
    // Only the panel's own area counts, not the controls inside it.
    if (childAt(event->position().toPoint()) == nullptr) {
        Expand();
    }
    QGroupBox::mouseMoveEvent(event);
}

bool FileBrowserPanel::event(QEvent* event) {
    // The caption tells how the keyboard reaches the panel.
    if (event->type() == QEvent::ToolTip) {
        const auto* help = static_cast<QHelpEvent*>(event);
        const QRect caption = CaptionRect();
        if (caption.contains(help->pos())) {
            QToolTip::showText(help->globalPos(), QString::fromLatin1(CaptionTip), this, caption);
        } else {
            QToolTip::hideText();
        }
        return true;
    }
    return QGroupBox::event(event);
}

void FileBrowserPanel::keyPressEvent(QKeyEvent* event) {
    // The lists and the Pin box leave Escape to the panel.
    if (event->key() == Qt::Key_Escape) {
        Collapse();
        event->accept();
        return;
    }
    QGroupBox::keyPressEvent(event);
}

bool FileBrowserPanel::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyRelease &&
        (watched == driveGTP || watched == dirGTP || watched == fileGTP)) {
        const auto* key = static_cast<QKeyEvent*>(event);
        // A held key repeats its release; the command runs once per press.
        if (!key->isAutoRepeat()) {
            emit keyReleased(BrowserKeys::KeyCodeOf(key), BrowserKeys::ShiftStateOf(key));
        }
        return true;
    }
    return QGroupBox::eventFilter(watched, event);
}
