// The window's look and its links: the background picture, the credit line
// and the clickable area that lead to the device maker's site, the comments
// label that leads to the program's home page, and the version history.
#include <QPainter>
#include <QPointer>

#include <algorithm>

#include "main_window/ClickableLabel.h"
#include "main_window/Links.h"
#include "main_window/QtText.h"
#include "main_window/frmMain.h"
#include "main_window/frmMainDesign.h"
#include "support/Files.h"
#include "support/Process.h"

namespace {

// The picture is drawn for 15 twips per pixel, 780 by 500 pixels.
constexpr int PictureWidth = 780 * 15;
constexpr int PictureHeight = 500 * 15;

// Places in twips. The credit line runs along the top, above the panel and the
// vehicle data. The comments label grows leftward with its text from its
// right edge, no further than a gap right of the panel, which covers it when
// open; the version history grows rightward up to the picture's clickable
// maker badge.
constexpr int LinkHeight = 240;
constexpr int CreditLeft = 120;
constexpr int CreditWidth = 7215;
constexpr int LinksTop = 6960;
constexpr int AboutRight = 7875;
constexpr int AboutLeftmost = Design::PanelLeft + Design::PanelWidth + 120;
constexpr int HistoryLeft = 8160;
constexpr int HistoryWidth = 1320;
constexpr int BadgeLeft = 9840;

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
    label->resize(std::max(label->width(), label->sizeHint().width()), label->height());
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
    lblTeslaCopyright = BuildLink(
        "lblTeslaCopyright",
        QStringLiteral("GTech and PASS are products of Tesla Electronics. Tachlet is not affiliated with them."),
        MakerTooltip, &frmMain::lblTeslaCopyright_Click);
    lblTeslaCopyright->setFont(LinkFont(lblTeslaCopyright));
    SetTextColour(lblTeslaCopyright, Design::Green);
    lblTeslaCopyright->setMouseTracking(true);
    lblTeslaCopyright->installEventFilter(this);

    lblTesla = BuildLink("lblTesla", QString(), MakerTooltip, &frmMain::lblTesla_Click);

    lblAbout = BuildLink("lblAbout", QString(), "Click to go to the Tachlet website.", &frmMain::lblAbout_Click);
    lblAbout->setFont(LinkFont(lblAbout));
    lblAbout->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    SetTextColour(lblAbout, Design::Blue);

    lblVersionHistory = BuildLink("lblVersionHistory", QStringLiteral("  Version history  "),
                                  "Click to display the version history.", &frmMain::lblVersionHistory_Click);
    lblVersionHistory->setFont(LinkFont(lblVersionHistory));
    SetTextColour(lblVersionHistory, Design::Blue);
}

double frmMain::LinksGrowthNeeded() const {
    return std::max(
        {scale_.GrowthToHold(lblTeslaCopyright->sizeHint(), QRect(CreditLeft, 0, CreditWidth, LinkHeight)),
         scale_.GrowthToHold(lblAbout->sizeHint(), QRect(AboutLeftmost, LinksTop, AboutRight - AboutLeftmost, LinkHeight)),
         scale_.GrowthToHold(lblVersionHistory->sizeHint(),
                             QRect(HistoryLeft, LinksTop, BadgeLeft - HistoryLeft, LinkHeight))});
}

void frmMain::PlaceLinks() {
    // The picture keeps its place behind the links and grows with them.
    const QPixmap picture(QStringLiteral(":/background.jpg"));
    background_ = picture.isNull() ? picture
                                   : picture.scaled(scale_.ToPixelsX(PictureWidth), scale_.ToPixelsY(PictureHeight),
                                                    Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    scale_.Place(lblTeslaCopyright, CreditLeft, 0, CreditWidth, LinkHeight);
    scale_.Place(lblTesla, BadgeLeft, 6810, 1695, 420);
    scale_.Place(lblAbout, AboutRight, LinksTop, 0, LinkHeight);
    const int width = lblAbout->sizeHint().width();
    lblAbout->setGeometry(lblAbout->x() - width, lblAbout->y(), width, lblAbout->height());
    scale_.Place(lblVersionHistory, HistoryLeft, LinksTop, HistoryWidth, LinkHeight);
    FitToText(lblVersionHistory);
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
