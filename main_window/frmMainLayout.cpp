// The controls of the main window, their names, texts and places. Places and
// sizes are in twips and converted with the screen's twips per pixel, so the
// window keeps its proportions on any screen.
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

#include "main_window/ClickableLabel.h"
#include "main_window/frmMain.h"
#include "run_file/FieldRules.h"
#include "main_window/frmMainDesign.h"

namespace {

using Design::Blue;

// The vehicle data to the right of the panel.
constexpr int DataLeft = 5880;
constexpr int DataRight = 11535;
constexpr int CaptionWidth = 1440;
constexpr int ValueLeft = DataLeft + CaptionWidth + 60;
constexpr int HeaderTop = 240;
constexpr int RowTop = 600;
constexpr int RowStep = 345;
constexpr int RowHeight = 300;

void SetTextColour(QWidget* widget, QPalette::ColorRole role, const QColor& colour) {
    QPalette palette = widget->palette();
    palette.setColor(role, colour);
    widget->setPalette(palette);
}

QFont BoldFont(const QWidget* widget) {
    QFont font = widget->font();
    font.setBold(true);
    return font;
}

}  // namespace

void frmMain::BuildControls() {
    setFixedSize(TwipsToPixelsX(Design::ClientWidth), TwipsToPixelsY(Design::ClientHeight));
    BuildFileBrowser();
    BuildFields();
    BuildNotes();
    BuildCommands();
    BuildLinks();
    BuildFilePopup();
    // The open panel reaches down to the bottom row of links and lies above
    // anything it overlaps.
    framePASSFile->raise();
}

void frmMain::BuildFields() {
    lblPASSVersion = new QLabel(this);
    lblPASSVersion->setObjectName(QStringLiteral("lblPASSVersion"));
    lblPASSVersion->setFont(BoldFont(lblPASSVersion));
    PlaceTwips(lblPASSVersion, DataLeft, HeaderTop, 2700, 300);

    lblRecordsRead = new QLabel(this);
    lblRecordsRead->setObjectName(QStringLiteral("lblRecordsRead"));
    lblRecordsRead->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    PlaceTwips(lblRecordsRead, DataLeft + 2700, HeaderTop, DataRight - DataLeft - 2700, 300);

    BuildFieldRow(RunName, "RunName", "lblRunNameLabel", "Run Name:",
                  "The name of the run.  Maximum length is 47 characters.", RowTop);
    BuildFieldRow(VehicleName, "VehicleName", "lblVehicleNameLabel", "Vehicle Name:",
                  "The name of the vehicle.  Maximum length is 15 characters.", RowTop + 2 * RowStep);
    BuildFieldRow(VehicleWeight, "VehicleWeight", "lblVehicleWeightLabel", "Vehicle Weight:",
                  "The weight of the vehicle in pounds.  The range is 1 to 65,535.", RowTop + 3 * RowStep);
    BuildFieldRow(Redline, "VehicleRedline", "lblRedlineLabel", "Redline:",
                  "The redline of the vehicle.  The range is 1 to 65,535.", RowTop + 4 * RowStep);
    BuildFieldRow(ShiftPoint, "VehicleShiftPoint", "lblShiftPointLabel", "Shift Point:",
                  "The shift point of the vehicle.  The range is 1 to 65,535.", RowTop + 5 * RowStep);
    BuildFieldRow(RolloutLength, "VehicleRolloutLength", "lblRolloutLengthLabel", "Rollout Length:", nullptr,
                  RowTop + 6 * RowStep);
    BuildFieldRow(PitchFactor, "PitchFactor", "lblPitchFactorLabel", "Pitch Factor:",
                  "The pitch factor of the vehicle in degrees per G.  The range is 0.0 to 9.9.",
                  RowTop + 7 * RowStep);

    // Until a file that carries a pitch factor is loaded, there is none.
    fields_[PitchFactor].caption->hide();
    fields_[PitchFactor].value->hide();

    // The keyboard moves through the field boxes from top to bottom.
    for (int index = 1; index < FieldCount; ++index) {
        setTabOrder(fields_[index - 1].box, fields_[index].box);
    }
}

void frmMain::BuildFieldRow(FieldIndex index, const char* name, const char* captionName, const char* caption,
                            const char* tooltip, int top) {
    FieldRow& row = fields_[index];
    row.caption = new QLabel(QString::fromLatin1(caption), this);
    row.caption->setObjectName(QString::fromLatin1(captionName));
    // The run name may be 47 characters long: it gets the full width, on the
    // line below its caption; every other value sits beside its caption.
    const bool fullWidth = index == RunName;
    const int valueLeft = fullWidth ? DataLeft : ValueLeft;
    const int valueTop = fullWidth ? top + RowStep - 45 : top;
    if (fullWidth) {
        row.caption->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        PlaceTwips(row.caption, DataLeft, top, CaptionWidth, RowHeight);
    } else {
        row.caption->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        PlaceTwips(row.caption, DataLeft, top, CaptionWidth, RowHeight);
    }

    // The label and the box share place, size, font and colour, so either can
    // take the other's place without anything else moving.
    row.value = new ClickableLabel(this);
    row.value->setObjectName(QStringLiteral("lbl") + QString::fromLatin1(name));
    row.value->setFont(BoldFont(row.value));
    row.value->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    row.value->setIndent(TwipsToPixelsX(45));
    SetTextColour(row.value, QPalette::WindowText, Blue);
    PlaceTwips(row.value, valueLeft, valueTop, DataRight - valueLeft, RowHeight);

    row.box = new QLineEdit(this);
    row.box->setObjectName(QStringLiteral("txt") + QString::fromLatin1(name));
    row.box->setFont(BoldFont(row.box));
    row.box->setMaxLength(Stuff::TypingLimit(CoreField(index)));
    SetTextColour(row.box, QPalette::Text, Blue);
    PlaceTwips(row.box, valueLeft, valueTop, DataRight - valueLeft, RowHeight);
    row.box->hide();

    if (tooltip != nullptr) {
        row.value->setToolTip(QString::fromLatin1(tooltip));
        row.box->setToolTip(QString::fromLatin1(tooltip));
    }

    row.box->installEventFilter(this);
    connect(row.value, &ClickableLabel::clicked, this, [this, index] { FieldLabelClicked(index); });
    connect(row.box, &QLineEdit::textChanged, this, &frmMain::TextChanged);
}

void frmMain::BuildNotes() {
    const int notesTop = RowTop + 8 * RowStep + 60;
    lblVehicleNotes = new QLabel(QStringLiteral("Vehicle Notes:"), this);
    lblVehicleNotes->setObjectName(QStringLiteral("lblVehicleNotes"));
    PlaceTwips(lblVehicleNotes, DataLeft, notesTop, CaptionWidth, 255);

    txtVehicleNotes = new QPlainTextEdit(this);
    txtVehicleNotes->setObjectName(QStringLiteral("txtVehicleNotes"));
    txtVehicleNotes->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    txtVehicleNotes->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    txtVehicleNotes->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    txtVehicleNotes->setTabChangesFocus(true);
    PlaceTwips(txtVehicleNotes, DataLeft, notesTop + 285, DataRight - DataLeft, 6180 - (notesTop + 285));
    connect(txtVehicleNotes, &QPlainTextEdit::textChanged, this, &frmMain::TextChanged);
}

void frmMain::BuildCommands() {
    struct Command {
        QPushButton** button;
        const char* name;
        const char* caption;
        const char* tooltip;
        void (frmMain::*handler)();
    };
    const Command commands[] = {
        {&cmdEdit, "cmdEdit", "&Edit Data", "Edit the displayed vehicle data.", &frmMain::cmdEdit_Click},
        {&cmdUndo, "cmdUndo", "&Undo", "Undo changes to the vehicle data (reloads).", &frmMain::cmdUndo_Click},
        {&cmdSave, "cmdSave", "&Save Data",
         "Save changes to the vehicle data.  The file cannot be open in PASS since it will be locked.",
         &frmMain::cmdSave_Click},
    };
    int left = DataLeft;
    for (const Command& command : commands) {
        auto* button = new QPushButton(QString::fromLatin1(command.caption), this);
        button->setObjectName(QString::fromLatin1(command.name));
        button->setToolTip(QString::fromLatin1(command.tooltip));
        PlaceTwips(button, left, 6300, 1335, 405);
        connect(button, &QPushButton::clicked, this, command.handler);
        *command.button = button;
        left += 1335 + 165;
    }
}
