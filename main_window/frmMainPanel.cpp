// The fly-out file browser panel: its controls, and its opening and closing as
// the pointer moves over the window, the panel and the credit line.
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QMouseEvent>

#include <algorithm>

#include "main_window/ClickableLabel.h"
#include "main_window/DirListBox.h"
#include "main_window/DriveListBox.h"
#include "main_window/FileListBox.h"
#include "main_window/frmMain.h"
#include "main_window/frmMainDesign.h"

namespace {

void StyleAsList(QWidget* list) {
    QPalette palette = list->palette();
    palette.setColor(QPalette::Base, Design::ListGrey);
    palette.setColor(QPalette::Button, Design::ListGrey);
    palette.setColor(QPalette::Text, Design::Blue);
    palette.setColor(QPalette::ButtonText, Design::Blue);
    list->setPalette(palette);
}

}  // namespace

void frmMain::BuildFileBrowser() {
    framePASSFile = new QGroupBox(QStringLiteral("Mouse over to select your GTech PASS file (*.GTP)"), this);
    framePASSFile->setObjectName(QStringLiteral("framePASSFile"));
    framePASSFile->setAutoFillBackground(true);
    QPalette panel = framePASSFile->palette();
    panel.setColor(QPalette::Window, Design::PanelGrey);
    framePASSFile->setPalette(panel);
    PlaceTwips(framePASSFile, Design::PanelLeft, Design::PanelTop, Design::PanelWidth, Design::PanelOpenHeight);

    driveGTP = new DriveListBox(framePASSFile);
    driveGTP->setObjectName(QStringLiteral("driveGTP"));
    driveGTP->setToolTip(QStringLiteral("Select the drive to look for GTP files in."));
    PlaceTwips(driveGTP, 120, 240, 5295, 315);

    dirGTP = new DirListBox(framePASSFile);
    dirGTP->setObjectName(QStringLiteral("dirGTP"));
    dirGTP->setToolTip(QStringLiteral("Double-click to select a directory to display GTP files in."));
    PlaceTwips(dirGTP, 120, 600, 5295, 3015);

    fileGTP = new FileListBox(framePASSFile);
    fileGTP->setObjectName(QStringLiteral("fileGTP"));
    fileGTP->SetPattern(QStringLiteral("*.gtp"));
    PlaceTwips(fileGTP, 120, 3600, 5295, 3015);

    for (QWidget* list : {static_cast<QWidget*>(driveGTP), static_cast<QWidget*>(dirGTP),
                          static_cast<QWidget*>(fileGTP)}) {
        StyleAsList(list);
        list->installEventFilter(this);
    }

    lblFileHints = new QLabel(QStringLiteral("Select a file and then right-click for context-specific commands."),
                              framePASSFile);
    lblFileHints->setObjectName(QStringLiteral("lblFileHints"));
    QPalette hints = lblFileHints->palette();
    hints.setColor(QPalette::WindowText, Design::Blue);
    lblFileHints->setPalette(hints);
    QFont small = lblFileHints->font();
    small.setFamily(QStringLiteral("Arial"));
    small.setPointSizeF(8);
    lblFileHints->setFont(small);

    chkPin = new QCheckBox(QStringLiteral("Pin"), framePASSFile);
    chkPin->setObjectName(QStringLiteral("chkPin"));
    chkPin->setToolTip(QStringLiteral("Toggles whether the file browser is pinned open or not."));
    PlaceHintsAndPin();

    // Moves without a button held arrive only where tracking is on.
    setMouseTracking(true);
    framePASSFile->setMouseTracking(true);
    framePASSFile->installEventFilter(this);

    connect(driveGTP, &DriveListBox::driveChanged, this, &frmMain::driveGTP_Change);
    connect(dirGTP, &DirListBox::pathChanged, this, &frmMain::dirGTP_Change);
    connect(dirGTP, &DirListBox::enterFailed, this, &frmMain::dirGTP_EnterFailed);
    connect(fileGTP, &FileListBox::clicked, this, &frmMain::fileGTP_Click);
    connect(fileGTP, &FileListBox::doubleClicked, this, &frmMain::fileGTP_DblClick);
    connect(fileGTP, &FileListBox::mouseReleased, this, &frmMain::fileGTP_MouseUp);
    connect(chkPin, &QCheckBox::clicked, this, &frmMain::chkPin_Click);
}

void frmMain::PlaceHintsAndPin() {
    // The Pin box ends where the lists end and is as wide as its box and
    // caption need; the hint takes the rest of the line.
    PlaceTwips(chkPin, 5040, 6650, 375, 255);
    const int pinRight = TwipsToPixelsX(120 + 5295);
    const int pinWidth = std::max(chkPin->width(), chkPin->sizeHint().width());
    const int pinHeight = std::max(chkPin->height(), chkPin->sizeHint().height());
    chkPin->setGeometry(pinRight - pinWidth, chkPin->y(), pinWidth, pinHeight);
    PlaceTwips(lblFileHints, 120, 6645, 4815, 255);
    lblFileHints->resize(std::min(lblFileHints->width(), chkPin->x() - lblFileHints->x()), lblFileHints->height());
}

bool frmMain::PanelPinned() const { return chkPin->isChecked(); }

int frmMain::PanelHeight() const { return panelHeight_; }

void frmMain::SetPanelHeight(int twips) {
    panelHeight_ = twips;
    framePASSFile->resize(framePASSFile->width(), TwipsToPixelsY(twips));
}

void frmMain::SizeFileBrowser(int32_t x) {
    if (PanelPinned()) {
        return;
    }
    const QRect panel = framePASSFile->geometry();
    const int32_t rightEdge = PixelsToTwipsX(panel.x()) + PixelsToTwipsX(panel.width());
    if (rightEdge > x) {
        if (PanelHeight() < Design::PanelOpenHeight) {
            SetPanelHeight(Design::PanelOpenHeight);
            // Not while a load or save runs: the focus move would close a
            // field it may be about to fill.
            if (fileGTP->isVisible() && !IsBusy()) {
                fileGTP->setFocus();
            }
        }
    } else if (PanelHeight() > Design::PanelCollapsedHeight) {
        SetPanelHeight(Design::PanelCollapsedHeight);
    }
}

void frmMain::Form_MouseMove(int32_t x) { SizeFileBrowser(x); }

void frmMain::framePASSFile_MouseMove() {
    if (!PanelPinned() && PanelHeight() < Design::PanelOpenHeight) {
        SetPanelHeight(Design::PanelOpenHeight);
    }
}

void frmMain::lblTeslaCopyright_MouseMove() {
    if (!PanelPinned() && PanelHeight() > Design::PanelCollapsedHeight) {
        SetPanelHeight(Design::PanelCollapsedHeight);
    }
}

void frmMain::chkPin_Click() {
    if (fileGTP->isVisible()) {
        fileGTP->setFocus();
    }
}

bool frmMain::HandleMouseMove(QObject* watched, QEvent* event) {
    if (watched != framePASSFile && watched != lblTeslaCopyright) {
        return false;
    }
    // A move over a control inside the panel passes through the panel on its
    // way up to the window; only the panel's own area counts.
    const auto* widget = static_cast<QWidget*>(watched);
    const auto* move = static_cast<QMouseEvent*>(event);
    if (widget->childAt(move->position().toPoint()) != nullptr) {
        return false;
    }
    if (watched == framePASSFile) {
        framePASSFile_MouseMove();
    } else {
        lblTeslaCopyright_MouseMove();
    }
    return true;
}

void frmMain::mouseMoveEvent(QMouseEvent* event) {
    // Moves over the window's controls come up here as well; only the bare
    // window counts.
    if (childAt(event->position().toPoint()) == nullptr) {
        Form_MouseMove(PixelsToTwipsX(event->position().x()));
    }
    QWidget::mouseMoveEvent(event);
}
