#include "main_window/frmMain.h"

#include <QDir>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QShortcut>

#include <algorithm>

#include "base/RuntimeError.h"
#include "main_window/BrowserKeys.h"
#include "main_window/ClickableLabel.h"
#include "main_window/FileBrowserPanel.h"
#include "main_window/QtText.h"
#include "main_window/VehicleDataForm.h"
#include "main_window/frmMainDesign.h"

frmMain::frmMain(WindowServices services, QWidget* parent)
    : QWidget(parent), services_(std::move(services)), scale_(services_.screen), guard_(*this) {
    setObjectName(QStringLiteral("frmMain"));
    panel_ = new FileBrowserPanel(scale_, guard_, QByteArray::fromStdString(services_.appInfo.Path), this);
    form_ = new VehicleDataForm(scale_, services_.dialogs, guard_, this);
    BuildLinks();
    // The open panel reaches down to the bottom row of links and lies above
    // anything it overlaps.
    panel_->raise();
    ConnectPanel();
    ConnectForm();
    // Moves without a button held arrive only where tracking is on.
    setMouseTracking(true);
    // The usual Open key reaches the file browser from anywhere in the window.
    connect(new QShortcut(QKeySequence::Open, this), &QShortcut::activated, this,
            [this] { guard_.UnlessBusy([this] { panel_->OpenFromKeyboard(); }); });
    UpdateControls(false, false, false, false);
    StartInWorkingFolder();
    Form_Load();
}

frmMain::~frmMain() = default;

void frmMain::FitToFont() {
    scale_.SetFontGrowth(1.0);
    scale_.SetFontGrowth(std::max({panel_->GrowthNeeded(), form_->GrowthNeeded(), LinksGrowthNeeded()}));
    setFixedSize(scale_.ToPixelsX(Design::ClientWidth), scale_.ToPixelsY(Design::ClientHeight));
    panel_->PlaceControls();
    form_->PlaceControls();
    PlaceLinks();
}

void frmMain::ConnectPanel() {
    connect(panel_, &FileBrowserPanel::folderChanged, this, &frmMain::FolderChanged);
    connect(panel_, &FileBrowserPanel::folderUnreadable, this, &frmMain::ReportUnreadableFolder);
    connect(panel_, &FileBrowserPanel::fileClicked, this, &frmMain::fileGTP_Click);
    connect(panel_, &FileBrowserPanel::fileDoubleClicked, this, &frmMain::fileGTP_DblClick);
    connect(panel_, &FileBrowserPanel::keyReleased, this, &frmMain::HandleBrowserKey);
    connect(panel_, &FileBrowserPanel::editRequested, this, &frmMain::cmdEdit_Click);
    connect(panel_, &FileBrowserPanel::deleteRequested, this, &frmMain::DeleteSelectedFile);
    connect(panel_, &FileBrowserPanel::renameRequested, this, &frmMain::RenameSelectedFile);
    connect(panel_, &FileBrowserPanel::refreshRequested, this, &frmMain::mnuFilePopupRefresh_Click);
    connect(panel_, &FileBrowserPanel::openRequested, this, &frmMain::OpenWithPass);
}

void frmMain::ConnectForm() {
    connect(form_, &VehicleDataForm::textChanged, this, &frmMain::TextChanged);
    connect(form_, &VehicleDataForm::editClicked, this, &frmMain::cmdEdit_Click);
    connect(form_, &VehicleDataForm::undoClicked, this, &frmMain::cmdUndo_Click);
    connect(form_, &VehicleDataForm::saveClicked, this, &frmMain::cmdSave_Click);
}

QString frmMain::ProgramTitle() const {
    const AppInfo& app = services_.appInfo;
    const std::string minor = "0" + std::to_string(app.Minor);
    const std::string title = app.ProductName + " v" + std::to_string(app.Major) + "." +
                              minor.substr(minor.size() - 2) + " build " + std::to_string(app.Revision);
    return QtText::FromUtf8(title);
}

void frmMain::ShowLoadedFileInTitle(const QString& fileName) {
    // "[*]" is where the title shows that edits are pending; one in the name
    // itself is written twice to show as it is.
    QString name = fileName;
    name.replace(QStringLiteral("[*]"), QStringLiteral("[*][*]"));
    setWindowTitle(name + QStringLiteral("[*] \u2014 ") + ProgramTitle());
}

void frmMain::SetDirty(bool dirty) {
    blnDirtyData = dirty;
    // Before a file is loaded the title has no place for the marker.
    if (windowTitle().contains(QStringLiteral("[*]"))) {
        setWindowModified(dirty);
    }
}

QByteArray frmMain::LoadedFileName() const { return runFile_.IsLoaded() ? loadedName_ : QByteArray(); }

void frmMain::StartInWorkingFolder() {
    try {
        panel_->ShowFolder(QtText::PathBytes(QDir::toNativeSeparators(QDir::currentPath())));
    } catch (const RuntimeError&) {
        // An unreadable working folder leaves the lists empty; the user
        // chooses another folder from the drive.
    }
}

void frmMain::UpdateControls(bool blnEnableEdit, bool blnEnableUndo, bool blnEnableSave, bool blnEnableFields) {
    // A file without a notes position never gets notes, so they stay locked
    // for it in edit mode too.
    form_->SetControlStates(blnEnableEdit, blnEnableUndo, blnEnableSave, blnEnableFields,
                            blnEnableFields && NotesWritable());
    services_.events.DoEvents();
}

void frmMain::RefreshFiles() { panel_->RefreshAll(); }

MessageAnswer frmMain::Message(const std::string& text, MessageIcon icon, MessageButtons buttons) {
    return services_.dialogs.MessageBox(text, icon, buttons);
}

void frmMain::FolderChanged() { UpdateControls(false, false, false, false); }

void frmMain::ReportUnreadableFolder(const QString& folder) {
    Message("There was an error reading the [" + QtText::ToUtf8(folder) + "] directory!", MessageIcon::Exclamation);
}

void frmMain::SizeFileBrowser(int32_t x) { panel_->SizeFor(x); }

void frmMain::lblTeslaCopyright_MouseMove() { panel_->Collapse(); }

bool frmMain::eventFilter(QObject* watched, QEvent* event) {
    if (watched == lblTeslaCopyright && event->type() == QEvent::MouseMove) {
        lblTeslaCopyright_MouseMove();
    }
    return QWidget::eventFilter(watched, event);
}

void frmMain::mouseMoveEvent(QMouseEvent* event) {
    // Moves over the window's controls come up here as well; only the bare
    // window counts, and the form's background is the window's.
    const QWidget* under = childAt(event->position().toPoint());
    if (under == nullptr || under == form_) {
        SizeFileBrowser(scale_.ToTwipsX(event->position().x()));
    }
    QWidget::mouseMoveEvent(event);
}

void frmMain::keyReleaseEvent(QKeyEvent* event) {
    // Keys released in the fields and on the buttons come up here as well;
    // only those released while the window itself has the focus are its own.
    const QWidget* focused = focusWidget();
    if ((focused == nullptr || focused == this) && !event->isAutoRepeat()) {
        HandleBrowserKey(BrowserKeys::KeyCodeOf(event), BrowserKeys::ShiftStateOf(event));
    }
    QWidget::keyReleaseEvent(event);
}
