// The window's look and its links: the background picture, the credit line
// and the clickable area that lead to the device maker's site, the comments
// label that leads to the program's home page, and the version history.
#include <QPainter>
#include <QPointer>

#include "main_window/ClickableLabel.h"
#include "main_window/Links.h"
#include "main_window/QtText.h"
#include "main_window/frmMain.h"
#include "main_window/frmMainDesign.h"
#include "support/Files.h"
#include "support/Process.h"

namespace {

// The picture is drawn for 15 twips per pixel, 780 by 500 pixels.
constexpr double PictureTwipsPerPixel = 15.0;

// The right edge of the comments label, which grows leftward with its text.
constexpr int AboutRight = 7875;

const char* const MakerTooltip = "Click here to go to Tesla Electronics' website.";

// Coloured text on a light, see-through plate over the picture.
void SetTextColour(QWidget* widget, const QColor& colour) {
    QPalette palette = widget->palette();
    palette.setColor(QPalette::WindowText, colour);
    palette.setColor(QPalette::Window, Design::TextPlate);
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
}

QFont LinkFont(const QWidget* widget) {
    QFont font = widget->font();
    font.setFamily(QStringLiteral("Arial"));
    return font;
}

// A label keeps its designed left edge and grows to the right when its
// text is wider than designed in the fonts this system has.
void FitToText(QLabel* label) {
    const int needed = label->sizeHint().width();
    if (needed > label->width()) {
        label->resize(needed, label->height());
    }
}

}  // namespace

ClickableLabel* frmMain::BuildLink(const char* name, const QString& caption, const char* tooltip,
                                   void (frmMain::*handler)()) {
    auto* label = new ClickableLabel(caption, this);
    label->setTextFormat(Qt::PlainText);
    label->setObjectName(QString::fromLatin1(name));
    label->setToolTip(QString::fromLatin1(tooltip));
    label->setCursor(Qt::PointingHandCursor);
    connect(label, &ClickableLabel::clicked, this, handler);
    return label;
}

void frmMain::BuildLinks() {
    const QPixmap picture(QStringLiteral(":/background.jpg"));
    const double scaleX = PictureTwipsPerPixel / services_.screen.TwipsPerPixelX();
    const double scaleY = PictureTwipsPerPixel / services_.screen.TwipsPerPixelY();
    background_ = picture.isNull() || !(scaleX > 0 && scaleY > 0)
                      ? picture
                      : picture.scaled(qRound(picture.width() * scaleX), qRound(picture.height() * scaleY),
                                       Qt::IgnoreAspectRatio, Qt::SmoothTransformation);

    lblTeslaCopyright = BuildLink(
        "lblTeslaCopyright",
        QStringLiteral("GTech and PASS are products of Tesla Electronics. Tachlet is not affiliated with them."),
        MakerTooltip, &frmMain::lblTeslaCopyright_Click);
    lblTeslaCopyright->setFont(LinkFont(lblTeslaCopyright));
    SetTextColour(lblTeslaCopyright, Design::Green);
    scale_.Place(lblTeslaCopyright, 120, 0, 7215, 255);
    FitToText(lblTeslaCopyright);
    lblTeslaCopyright->setMouseTracking(true);
    lblTeslaCopyright->installEventFilter(this);

    lblTesla = BuildLink("lblTesla", QString(), MakerTooltip, &frmMain::lblTesla_Click);
    scale_.Place(lblTesla, 9840, 6810, 1695, 420);

    lblAbout = BuildLink("lblAbout", QString(), "Click to go to the Tachlet website.", &frmMain::lblAbout_Click);
    lblAbout->setFont(LinkFont(lblAbout));
    lblAbout->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    SetTextColour(lblAbout, Design::Blue);
    PlaceAboutLabel();

    lblVersionHistory = BuildLink("lblVersionHistory", QStringLiteral("  Version history  "),
                                  "Click to display the version history.", &frmMain::lblVersionHistory_Click);
    lblVersionHistory->setFont(LinkFont(lblVersionHistory));
    SetTextColour(lblVersionHistory, Design::Blue);
    scale_.Place(lblVersionHistory, 8160, 6960, 1320, 240);
    FitToText(lblVersionHistory);
}

void frmMain::PlaceAboutLabel() {
    scale_.Place(lblAbout, AboutRight, 6960, 0, 240);
    const int width = lblAbout->sizeHint().width();
    lblAbout->setGeometry(lblAbout->x() - width, lblAbout->y(), width, lblAbout->height());
}

void frmMain::paintEvent(QPaintEvent* /*event*/) {
    QPainter painter(this);
    painter.drawPixmap(0, 0, background_);
}

void frmMain::OpenLink(const std::string& target) {
    guard_.UnlessBusy([this, &target] {
        // The launcher may find no program only after it started: it then
        // reports the failure later, while the window goes on.
        QPointer<frmMain> window(this);
        const auto report = [window, target] {
            if (window) window->Message("Shell [" + target + "] failed!", MessageIcon::Critical);
        };
        if (Process::OpenDocument(target, services_.documents, report) == 0) {
            report();
        }
    });
}

void frmMain::lblAbout_Click() { OpenLink(Links::HomePage); }

void frmMain::lblTesla_Click() { OpenLink(Links::MakerSite); }

void frmMain::lblTeslaCopyright_Click() { OpenLink(Links::MakerSite); }

void frmMain::lblVersionHistory_Click() {
    OpenLink("\"" + services_.appInfo.DataPath + Files::PathSeparator + Links::VersionHistoryFile + "\"");
}
