// The start and the close of the window: the last folder, the window's
// placement and the pin option, read once at the start and written once at
// the close; and the window as the placement sees it.
#include <QCheckBox>
#include <QCloseEvent>
#include <QFile>

#include "main_window/ClickableLabel.h"
#include "main_window/DirListBox.h"
#include "main_window/DriveListBox.h"
#include "main_window/FileListBox.h"
#include "main_window/QtText.h"
#include "main_window/frmMain.h"
#include "main_window/frmMainDesign.h"
#include "support/Files.h"
#include "support/Formz.h"
#include "support/General.h"
#include "support/RuntimeError.h"

namespace {

constexpr const char* OptionsSection = "Options";
constexpr const char* LastDirectoryKey = "LastDirectory";
constexpr const char* MainOptionsSection = "MainOptions";
constexpr const char* PinKey = "PINFileBrowser";

// The main window's border cannot be dragged to resize it.
constexpr int16_t BorderFixedSingle = 1;

float PerPixel(float twipsPerPixel) { return twipsPerPixel > 0 ? twipsPerPixel : 15.0f; }

}  // namespace

void frmMain::Form_Load() {
    // RunFileHandle, the window's first member, exists already.
    setWindowTitle(WindowTitle());
    lblAbout->setText(QtText::FromUtf8("  " + services_.appInfo.Comments + "  "));
    PlaceAboutLabel();
    SetPanelHeight(Design::PanelCollapsedHeight);
    RestoreLastFolder();
    Formz::RestoreWindowPosition(*this, services_.settings, services_.screen);
    LoadOptions();
}

void frmMain::RestoreLastFolder() {
    // A folder that is gone is replaced by the nearest one above it that is
    // still there. The walk ends below "/": a folder whose every level is
    // gone restores nothing, and the lists stay on the folder the program
    // was started in.
    std::string candidate = services_.settings.GetSetting(OptionsSection, LastDirectoryKey);
    while (!candidate.empty() && !Files::PathExists(candidate)) {
        candidate = candidate.find(Files::PathSeparator) != std::string::npos ? Files::ParentFolder(candidate) : "";
    }
    if (candidate.empty()) {
        return;
    }
    const QString folder = QFile::decodeName(QByteArray::fromStdString(candidate));
    driveGTP->SetDrive(folder);
    try {
        dirGTP->SetPath(folder);
    } catch (const RuntimeError&) {
        // There, but no folder that can be read (a file, or no permission).
        ReportUnreadableFolder(folder);
        ShowProgramFolder();
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
        chkPin->setChecked(true);
    } else {
        chkPin->setChecked(false);
    }
}

void frmMain::Form_Unload() {
    bool saved = services_.settings.SaveSetting(OptionsSection, LastDirectoryKey, FileSystemPath(fileGTP->Path()));
    saved &= Formz::SaveWindowPosition(*this, services_.settings);
    saved &= SaveOptions();
    if (!saved) {
        Message("The settings could not be saved: the next start opens on its usual folder and place.",
                MessageIcon::Exclamation);
    }
}

bool frmMain::SaveOptions() {
    return services_.settings.SaveSetting(MainOptionsSection, PinKey, PanelPinned() ? "-1" : "0");
}

void frmMain::closeEvent(QCloseEvent* event) {
    if (guard_.Busy()) {
        // The load or save in progress uses the window to its end; the close
        // happens as soon as it is over.
        guard_.DeferClose();
        event->ignore();
        return;
    }
    // Never refused: edits not saved are not asked about.
    Form_Unload();
    QWidget::closeEvent(event);
}

std::string frmMain::Name() const { return "frmMain"; }

float frmMain::Left() const {
    return static_cast<float>(frameGeometry().x()) * PerPixel(services_.screen.TwipsPerPixelX());
}

float frmMain::Top() const {
    return static_cast<float>(frameGeometry().y()) * PerPixel(services_.screen.TwipsPerPixelY());
}

float frmMain::Width() const {
    return static_cast<float>(frameGeometry().width()) * PerPixel(services_.screen.TwipsPerPixelX());
}

float frmMain::Height() const {
    return static_cast<float>(frameGeometry().height()) * PerPixel(services_.screen.TwipsPerPixelY());
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
    move(qRound(left / PerPixel(services_.screen.TwipsPerPixelX())),
         qRound(top / PerPixel(services_.screen.TwipsPerPixelY())));
}

void frmMain::SetWidth(float width) {
    const int frame = frameGeometry().width() - QWidget::width();
    setFixedWidth(qMax(1, qRound(width / PerPixel(services_.screen.TwipsPerPixelX())) - frame));
}

void frmMain::SetHeight(float height) {
    const int frame = frameGeometry().height() - QWidget::height();
    setFixedHeight(qMax(1, qRound(height / PerPixel(services_.screen.TwipsPerPixelY())) - frame));
}
