// The start and the close of the window: the last folder, the window's
// placement and the pin option, read once at the start and written once at
// the close, which pending edits may keep from happening; and the window as
// the placement sees it.
#include <QCloseEvent>

#include "base/RuntimeError.h"
#include "main_window/ClickableLabel.h"
#include "main_window/FileBrowserPanel.h"
#include "main_window/QtText.h"
#include "main_window/frmMain.h"
#include "support/Files.h"
#include "support/Formz.h"
#include "support/General.h"

namespace {

constexpr const char* OptionsSection = "Options";
constexpr const char* LastDirectoryKey = "LastDirectory";
constexpr const char* MainOptionsSection = "MainOptions";
constexpr const char* PinKey = "PINFileBrowser";

// The main window's border cannot be dragged to resize it.
constexpr int16_t BorderFixedSingle = 1;

}  // namespace

void frmMain::Form_Load() {
    // RunFileHandle, the window's first member, exists already.
    setWindowTitle(ProgramTitle());
    lblAbout->setText(QtText::FromUtf8("  " + services_.appInfo.Comments + "  "));
    FitToFont();
    panel_->Collapse();
    RestoreLastFolder();
    centreOnceFramed_ = Formz::RestoreWindowPosition(*this, services_.settings, services_.screen);
    LoadOptions();
}

void frmMain::CentreOnceFramed() {
    // The desktop adds the frame and title bar only when the window is shown;
    // centred before that, the window would sit low by the title bar's height.
    if (centreOnceFramed_ && frameGeometry().size() != size()) {
        centreOnceFramed_ = false;
        Formz::CenterInWorkArea(*this, services_.screen);
    }
}

void frmMain::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    CentreOnceFramed();
}

void frmMain::moveEvent(QMoveEvent* event) {
    QWidget::moveEvent(event);
    CentreOnceFramed();
}

void frmMain::RestoreLastFolder() {
    // A folder that is gone is replaced by the nearest one above it that is
    // still there. The walk ends below the root: a folder whose every level is
    // gone restores nothing, and the lists stay on the folder the program
    // was started in. The setting holds the folder's bytes.
    const std::string candidate =
        Files::NearestExistingPart(services_.settings.GetSetting(OptionsSection, LastDirectoryKey));
    if (candidate.empty()) {
        return;
    }
    const QByteArray folder = QByteArray::fromStdString(candidate);
    try {
        panel_->ShowFolder(folder);
    } catch (const RuntimeError&) {
        // There, but no folder that can be read (a file, or no permission).
        ReportUnreadableFolder(QtText::PathText(folder));
        panel_->ShowProgramFolder();
    }
}

void frmMain::LoadOptions() {
    const std::optional<double> pinned =
        General::ParseNumericText(services_.settings.GetSetting(MainOptionsSection, PinKey));
    if (!pinned) {
        return;
    }
    if (*pinned != 0) {
        SizeFileBrowser(0);
        panel_->SetPinned(true);
    } else {
        panel_->SetPinned(false);
    }
}

void frmMain::Form_Unload() {
    bool saved = services_.settings.SaveSetting(OptionsSection, LastDirectoryKey, panel_->Folder().toStdString());
    saved &= Formz::SaveWindowPosition(*this, services_.settings);
    saved &= SaveOptions();
    if (!saved) {
        Message("The settings could not be saved: the next start opens on its usual folder and place.",
                MessageIcon::Exclamation);
    }
}

bool frmMain::SaveOptions() {
    return services_.settings.SaveSetting(MainOptionsSection, PinKey, panel_->Pinned() ? "-1" : "0");
}

void frmMain::closeEvent(QCloseEvent* event) {
    if (guard_.Busy()) {
        // The load or save in progress uses the window to its end; the close
        // happens as soon as it is over.
        guard_.DeferClose();
        event->ignore();
        return;
    }
    // The question and a save it leads to run alone, as the commands do.
    if (!guard_.Alone([this] { return SettlePendingEdits(); })) {
        // Still open, with the edits: nothing of the close happened.
        event->ignore();
        return;
    }
    Form_Unload();
    QWidget::closeEvent(event);
}

std::string frmMain::Name() const { return "frmMain"; }

float frmMain::Left() const {
    return static_cast<float>(frameGeometry().x()) * scale_.PerPixelX();
}

float frmMain::Top() const {
    return static_cast<float>(frameGeometry().y()) * scale_.PerPixelY();
}

float frmMain::Width() const {
    return static_cast<float>(frameGeometry().width()) * scale_.PerPixelX();
}

float frmMain::Height() const {
    return static_cast<float>(frameGeometry().height()) * scale_.PerPixelY();
}

int16_t frmMain::BorderStyle() const { return BorderFixedSingle; }

int16_t frmMain::WindowState() const {
    if (isMinimized()) {
        return StateMinimized;
    }
    return isMaximized() ? StateMaximized : StateNormal;
}

void frmMain::Move(float left, float top) {
    // A window's position is that of its frame's corner.
    move(qRound(left / scale_.PerPixelX()),
         qRound(top / scale_.PerPixelY()));
}

void frmMain::SetWidth(float width) {
    const int frame = frameGeometry().width() - QWidget::width();
    setFixedWidth(qMax(1, qRound(width / scale_.PerPixelX()) - frame));
}

void frmMain::SetHeight(float height) {
    const int frame = frameGeometry().height() - QWidget::height();
    setFixedHeight(qMax(1, qRound(height / scale_.PerPixelY()) - frame));
}
