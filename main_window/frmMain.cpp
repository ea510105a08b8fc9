#include "main_window/frmMain.h"

#include <QCloseEvent>
#include <QDir>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

#include "main_window/ClickableLabel.h"
#include "main_window/DirListBox.h"
#include "main_window/DriveListBox.h"
#include "main_window/FileListBox.h"
#include "main_window/QtText.h"
#include "support/General.h"
#include "support/RuntimeError.h"

frmMain::frmMain(WindowServices services, QWidget* parent)
    : QWidget(parent), services_(std::move(services)), guard_(*this) {
    setObjectName(QStringLiteral("frmMain"));
    BuildControls();
    UpdateControls(false, false, false, false);
    StartInWorkingFolder();
    Form_Load();
}

frmMain::~frmMain() = default;

QString frmMain::WindowTitle() const {
    const AppInfo& app = services_.appInfo;
    const std::string minor = "0" + std::to_string(app.Minor);
    const std::string title = app.ProductName + " v" + std::to_string(app.Major) + "." +
                              minor.substr(minor.size() - 2) + " build " + std::to_string(app.Revision);
    return QtText::FromUtf8(title);
}

int frmMain::TwipsToPixelsX(double twips) const {
    const float perPixel = services_.screen.TwipsPerPixelX();
    return qRound(twips / (perPixel > 0 ? perPixel : 15.0f));
}

int frmMain::TwipsToPixelsY(double twips) const {
    const float perPixel = services_.screen.TwipsPerPixelY();
    return qRound(twips / (perPixel > 0 ? perPixel : 15.0f));
}

int32_t frmMain::PixelsToTwipsX(double pixels) const {
    const float perPixel = services_.screen.TwipsPerPixelX();
    // A fraction of a twip goes to the nearest whole one, a half to the even.
    return General::RoundToLong(pixels * (perPixel > 0 ? perPixel : 15.0f));
}

void frmMain::PlaceTwips(QWidget* widget, int left, int top, int width, int height) const {
    widget->setGeometry(TwipsToPixelsX(left), TwipsToPixelsY(top), TwipsToPixelsX(width), TwipsToPixelsY(height));
}

void frmMain::StartInWorkingFolder() {
    const QString folder = QDir::currentPath();
    driveGTP->SetDrive(folder);
    try {
        dirGTP->SetPath(folder);
    } catch (const RuntimeError&) {
        // An unreadable working folder leaves the lists empty; the user
        // chooses another folder from the drive.
    }
}

void frmMain::UpdateControls(bool blnEnableEdit, bool blnEnableUndo, bool blnEnableSave, bool blnEnableFields) {
    cmdEdit->setEnabled(blnEnableEdit);
    cmdUndo->setEnabled(blnEnableUndo);
    cmdSave->setEnabled(blnEnableSave);
    for (const FieldRow& row : fields_) {
        row.box->setEnabled(blnEnableFields);
    }
    // The notes stay enabled so they can be scrolled and selected; only their
    // text is locked. A file without a notes position never gets notes, so
    // they stay locked for it in edit mode too.
    txtVehicleNotes->setReadOnly(!(blnEnableFields && NotesWritable()));
    services_.events.DoEvents();
}

void frmMain::RefreshFiles() {
    driveGTP->Refresh();
    dirGTP->Refresh();
    fileGTP->Refresh();
}

std::string frmMain::SelectedFilePath() const {
    const QByteArray name = fileGTP->FileNameBytes();
    if (name.isEmpty()) {
        return {};
    }
    std::string path = FileSystemPath(fileGTP->Path());
    if (!path.ends_with('/')) {
        path += '/';
    }
    return path + name.toStdString();
}

MessageAnswer frmMain::Message(const std::string& text, MessageIcon icon, MessageButtons buttons) {
    return services_.dialogs.MessageBox(text, icon, buttons);
}

bool frmMain::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
    case QEvent::FocusOut:
        if (HandleFocusOut(watched, event)) {
            return false;
        }
        break;
    case QEvent::MouseMove:
        if (HandleMouseMove(watched, event)) {
            return false;
        }
        break;
    case QEvent::KeyRelease:
        if (HandleBrowserKeyRelease(watched, event)) {
            return true;
        }
        break;
    default:
        break;
    }
    return QWidget::eventFilter(watched, event);
}
