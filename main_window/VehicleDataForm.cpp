#include "main_window/VehicleDataForm.h"

#include <QFocusEvent>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTextDocument>

#include <algorithm>

#include "main_window/ClickableLabel.h"
#include "main_window/FieldBox.h"
#include "main_window/QtText.h"
#include "main_window/RunGuard.h"
#include "main_window/TwipsScale.h"
#include "main_window/ValueLabel.h"
#include "main_window/frmMainDesign.h"
#include "run_file/FieldRules.h"
#include "run_file/FieldTable.h"
#include "support/Dialogs.h"

namespace {

// Places in the window, in twips: the data right of the file browser panel.
// The rows touch, so a field's box is as tall as the row.
constexpr int DataLeft = 5880;
constexpr int DataRight = 11535;
constexpr int CaptionWidth = 1440;
constexpr int ValueLeft = DataLeft + CaptionWidth + 60;
constexpr int ValueIndent = 45;
constexpr int HeaderTop = 240;
constexpr int HeaderHeight = 300;
constexpr int VersionWidth = 2700;
constexpr int RowTop = 600;
constexpr int RowStep = 345;
constexpr int RowHeight = RowStep;
constexpr int NotesTop = RowTop + 8 * RowStep + 60;
constexpr int NotesCaptionHeight = 285;
constexpr int NotesBottom = 6180;
constexpr int CommandTop = 6300;
constexpr int CommandWidth = 1335;
constexpr int CommandGap = 165;
constexpr int CommandHeight = 405;

// The widest texts the header shows: the caption of a version field that
// holds no version, or one of six characters, and a count of ten digits.
const char* const VersionSamples[] = {"Unknown PASS Version", "PASS Version 1.1.10"};
const char* const RecordCountSample = "2147483647 record(s) read.";

const QColor Red(255, 0, 0);

void SetColour(QWidget* widget, QPalette::ColorRole role, const QColor& colour) {
    QPalette palette = widget->palette();
    palette.setColor(role, colour);
    widget->setPalette(palette);
}

QFont BoldFont(const QWidget* widget) {
    QFont font = widget->font();
    font.setBold(true);
    return font;
}

// Names and notes come from files: "<b>" in one is text, not markup.
QLabel* PlainLabel(QLabel* label) {
    label->setTextFormat(Qt::PlainText);
    return label;
}

// What the label needs to show the text in its font, margins and indent.
QSize NeededFor(const QLabel* label, const QString& text) {
    QLabel probe(text);
    probe.setTextFormat(Qt::PlainText);
    probe.setFont(label->font());
    probe.setMargin(label->margin());
    probe.setIndent(label->indent());
    return probe.sizeHint();
}

// What a value label needs for a value of `characters` average characters.
QSize NeededForValue(const QLabel* label, int characters) {
    const QFontMetrics metrics(label->font());
    return {label->indent() + 2 * label->margin() + characters * metrics.averageCharWidth(), metrics.height()};
}

// The rows of the form from top to bottom, in the order of FieldIndex.
struct RowLook {
    Stuff::Field field;
    const char* name;  // of the value label and the box, after "lbl" and "txt"
    const char* captionName;
    int line;  // below the first row's; the run name takes two
};

constexpr RowLook RowLooks[VehicleDataForm::FieldCount] = {
    {Stuff::Field::RunName, "RunName", "lblRunNameLabel", 0},
    {Stuff::Field::VehicleName, "VehicleName", "lblVehicleNameLabel", 2},
    {Stuff::Field::VehicleWeight, "VehicleWeight", "lblVehicleWeightLabel", 3},
    {Stuff::Field::Redline, "VehicleRedline", "lblRedlineLabel", 4},
    {Stuff::Field::ShiftPoint, "VehicleShiftPoint", "lblShiftPointLabel", 5},
    {Stuff::Field::RolloutLength, "VehicleRolloutLength", "lblRolloutLengthLabel", 6},
    {Stuff::Field::PitchFactor, "PitchFactor", "lblPitchFactorLabel", 7},
};

const Stuff::EditableField& CoreRow(int index) { return Stuff::Editable(RowLooks[index].field); }

// Where each control lies, in twips in the window's coordinates.
const QRect VersionPlace(DataLeft, HeaderTop, VersionWidth, HeaderHeight);
const QRect CountPlace(DataLeft + VersionWidth, HeaderTop, DataRight - DataLeft - VersionWidth, HeaderHeight);
const QRect NotesCaptionPlace(DataLeft, NotesTop, CaptionWidth, NotesCaptionHeight);
const QRect NotesPlace(DataLeft, NotesTop + NotesCaptionHeight, DataRight - DataLeft,
                       NotesBottom - (NotesTop + NotesCaptionHeight));

QRect CaptionPlace(int index) {
    return {DataLeft, RowTop + RowLooks[index].line * RowStep, CaptionWidth, RowHeight};
}

// The value label's, which its box shares. The run name may be 47 characters
// long: it gets the full width, on the line below its caption; every other
// value sits beside its caption.
QRect ValuePlace(int index) {
    const bool fullWidth = index == VehicleDataForm::RunName;
    const int left = fullWidth ? DataLeft : ValueLeft;
    return {left, CaptionPlace(index).top() + (fullWidth ? RowStep : 0), DataRight - left, RowHeight};
}

QRect CommandPlace(int index) {
    return {DataLeft + index * (CommandWidth + CommandGap), CommandTop, CommandWidth, CommandHeight};
}

}  // namespace

VehicleDataForm::VehicleDataForm(const TwipsScale& scale, Dialogs& dialogs, const RunGuard& guard, QWidget* parent)
    : QWidget(parent), scale_(scale), dialogs_(dialogs), guard_(guard) {
    setObjectName(QStringLiteral("VehicleDataForm"));
    BuildHeader();
    for (int index = 0; index < FieldCount; ++index) BuildFieldRow(static_cast<FieldIndex>(index));
    // Until a file that carries a pitch factor is loaded, there is none.
    fields_[PitchFactor].caption->hide();
    fields_[PitchFactor].value->hide();
    BuildNotes();
    BuildCommands();
    SetTabOrder();
    PlaceControls();
}

void VehicleDataForm::PlaceControls() {
    scale_.Place(this, DataLeft, HeaderTop, DataRight - DataLeft, CommandTop + CommandHeight - HeaderTop);
    Place(lblPASSVersion, VersionPlace);
    Place(lblRecordsRead, CountPlace);
    for (int index = 0; index < FieldCount; ++index) {
        const FieldRow& row = fields_[index];
        Place(row.caption, CaptionPlace(index));
        row.value->setIndent(scale_.ToPixelsX(ValueIndent));
        Place(row.value, ValuePlace(index));
        Place(row.box, ValuePlace(index));
    }
    Place(lblVehicleNotes, NotesCaptionPlace);
    Place(txtVehicleNotes, NotesPlace);
    QPushButton* const commands[] = {cmdEdit, cmdUndo, cmdSave};
    for (int index = 0; index < 3; ++index) Place(commands[index], CommandPlace(index));
}

double VehicleDataForm::GrowthNeeded() const {
    double growth = 1.0;
    const auto hold = [this, &growth](QSize needed, const QRect& twips) {
        growth = std::max(growth, scale_.GrowthToHold(needed, twips));
    };
    for (const char* caption : VersionSamples) {
        hold(NeededFor(lblPASSVersion, QString::fromLatin1(caption)), VersionPlace);
    }
    hold(NeededFor(lblRecordsRead, QString::fromLatin1(RecordCountSample)), CountPlace);
    for (int index = 0; index < FieldCount; ++index) {
        const FieldRow& row = fields_[index];
        hold(row.caption->sizeHint(), CaptionPlace(index));
        // The indent grows with the rest; measured at the design's size.
        hold(NeededForValue(row.value, CoreRow(index).typingLimit), ValuePlace(index));
        hold(row.box->sizeHint(), ValuePlace(index));
    }
    hold(lblVehicleNotes->sizeHint(), NotesCaptionPlace);
    const QPushButton* const commands[] = {cmdEdit, cmdUndo, cmdSave};
    for (int index = 0; index < 3; ++index) hold(commands[index]->sizeHint(), CommandPlace(index));
    return growth;
}

void VehicleDataForm::Place(QWidget* widget, const QRect& twips) const {
    scale_.Place(widget, twips.x(), twips.y(), twips.width(), twips.height(), QPoint(DataLeft, HeaderTop));
}

void VehicleDataForm::BuildHeader() {
    lblPASSVersion = PlainLabel(new QLabel(this));
    lblPASSVersion->setObjectName(QStringLiteral("lblPASSVersion"));
    lblPASSVersion->setFont(BoldFont(lblPASSVersion));

    lblRecordsRead = PlainLabel(new QLabel(this));
    lblRecordsRead->setObjectName(QStringLiteral("lblRecordsRead"));
    lblRecordsRead->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
}

void VehicleDataForm::BuildFieldRow(FieldIndex index) {
    const RowLook& look = RowLooks[index];
    FieldRow& row = fields_[index];
    row.caption = PlainLabel(new QLabel(QString::fromLatin1(CoreRow(index).caption), this));
    row.caption->setObjectName(QString::fromLatin1(look.captionName));
    // The run name's caption stands above its value, the others beside theirs.
    row.caption->setAlignment((index == RunName ? Qt::AlignLeft : Qt::AlignRight) | Qt::AlignVCenter);

    // The label and the box share place, size, font and colour, so either can
    // take the other's place without anything else moving.
    row.value = new ValueLabel(this);
    PlainLabel(row.value);
    row.value->setObjectName(QStringLiteral("lbl") + QString::fromLatin1(look.name));
    row.value->setFont(BoldFont(row.value));
    row.value->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    row.value->setIndent(scale_.ToPixelsX(ValueIndent));
    row.value->setFocusPolicy(Qt::NoFocus);
    SetColour(row.value, QPalette::WindowText, Design::Blue);

    row.box = new FieldBox(this);
    row.box->setObjectName(QStringLiteral("txt") + QString::fromLatin1(look.name));
    row.box->setFont(BoldFont(row.box));
    row.box->SetTypingLimit(CoreRow(index).typingLimit);
    SetColour(row.box, QPalette::Text, Design::Blue);
    row.box->hide();

    const QString tooltip = QtText::FromUtf8(Stuff::Tooltip(CoreRow(index)));
    row.value->setToolTip(tooltip);
    row.box->setToolTip(tooltip);
    // A screen reader names both by the caption, without its colon.
    const QString name = row.caption->text().chopped(1);
    row.value->setAccessibleName(name);
    row.box->setAccessibleName(name);

    connect(row.value, &ClickableLabel::clicked, this,
            [this, index] { guard_.UnlessBusy([this, index] { BeginFieldEdit(index); }); });
    connect(row.box, &FieldBox::left, this, [this, index](Qt::FocusReason reason) { FieldBoxLeft(index, reason); });
    connect(row.box, &FieldBox::leaveRequested, this, [this, index] { LeaveByKeyboard(index); });
    connect(row.box, &FieldBox::cancelRequested, this, [this, index] { CancelField(index); });
    connect(row.box, &QLineEdit::textChanged, this, &VehicleDataForm::textChanged);
}

void VehicleDataForm::BuildNotes() {
    lblVehicleNotes = PlainLabel(new QLabel(QStringLiteral("Vehicle Notes:"), this));
    lblVehicleNotes->setObjectName(QStringLiteral("lblVehicleNotes"));

    txtVehicleNotes = new QPlainTextEdit(this);
    txtVehicleNotes->setObjectName(QStringLiteral("txtVehicleNotes"));
    txtVehicleNotes->setAccessibleName(QStringLiteral("Vehicle Notes"));
    txtVehicleNotes->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    txtVehicleNotes->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    txtVehicleNotes->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    txtVehicleNotes->setTabChangesFocus(true);
    connect(txtVehicleNotes, &QPlainTextEdit::textChanged, this, &VehicleDataForm::textChanged);
}

void VehicleDataForm::BuildCommands() {
    struct Command {
        QPushButton** button;
        const char* name;
        const char* caption;
        const char* tooltip;
        void (VehicleDataForm::*clicked)();
    };
    const Command commands[] = {
        {&cmdEdit, "cmdEdit", "&Edit Data", "Edit the displayed vehicle data.", &VehicleDataForm::editClicked},
        {&cmdUndo, "cmdUndo", "&Undo", "Undo changes to the vehicle data (reloads).", &VehicleDataForm::undoClicked},
        {&cmdSave, "cmdSave", "&Save Data",
         "Save changes to the vehicle data.  The file cannot be open in PASS since it will be locked.",
         &VehicleDataForm::saveClicked},
    };
    for (const Command& command : commands) {
        auto* button = new QPushButton(QString::fromLatin1(command.caption), this);
        button->setObjectName(QString::fromLatin1(command.name));
        button->setToolTip(QString::fromLatin1(command.tooltip));
        connect(button, &QPushButton::clicked, this, command.clicked);
        *command.button = button;
    }
    // A click on Save does not take the focus from an open field: the save
    // leaves the field itself, so an entry it rejects is reported once per
    // press, however Save was pressed. Tab still reaches it.
    cmdSave->setFocusPolicy(Qt::TabFocus);
}

void VehicleDataForm::SetTabOrder() {
    // Top to bottom: each value label with its box, the notes, the commands.
    QWidget* previous = nullptr;
    const auto chain = [&previous](QWidget* next) {
        if (previous != nullptr) setTabOrder(previous, next);
        previous = next;
    };
    for (const FieldRow& row : fields_) {
        chain(row.value);
        chain(row.box);
    }
    for (QWidget* next : {static_cast<QWidget*>(txtVehicleNotes), static_cast<QWidget*>(cmdEdit),
                          static_cast<QWidget*>(cmdUndo), static_cast<QWidget*>(cmdSave)}) {
        chain(next);
    }
}

void VehicleDataForm::ShowValues(const Stuff::VehicleTexts& values, bool hasPitchFactor) {
    for (int index = 0; index < FieldCount; ++index) {
        fields_[index].value->setText(QtText::FromUtf8(values.*CoreRow(index).text));
    }
    fields_[PitchFactor].caption->setVisible(hasPitchFactor);
    fields_[PitchFactor].value->setVisible(hasPitchFactor && fields_[PitchFactor].box->isHidden());
}

void VehicleDataForm::SetVersionCaption(const std::string& caption, bool known) {
    lblPASSVersion->setText(QtText::FromUtf8(caption));
    SetColour(lblPASSVersion, QPalette::WindowText, known ? Design::Blue : Red);
}

void VehicleDataForm::HideRecordCount() { lblRecordsRead->hide(); }

void VehicleDataForm::ShowRecordCount(const std::string& text) {
    lblRecordsRead->setText(QtText::FromUtf8(text));
    lblRecordsRead->show();
}

void VehicleDataForm::SetNotesText(const QString& withCrLf) {
    // Only a real change of the text counts as one, as for the field boxes.
    const QString lines = QtText::CrLfToBoxLines(withCrLf);
    if (NotesText() != QtText::BoxLinesToCrLf(lines)) {
        txtVehicleNotes->setPlainText(lines);
    }
}

QString VehicleDataForm::NotesText() const {
    // The raw text keeps every character as typed; the plain text would turn
    // a no-break space into a blank.
    return QtText::BoxLinesToCrLf(txtVehicleNotes->document()->toRawText());
}

void VehicleDataForm::CloseOpenFields() {
    // A field left open (its entry rejected) would hide the value just read
    // or written under an entry the file does not hold.
    for (int index = 0; index < FieldCount; ++index) {
        FieldRow& row = fields_[index];
        if (!row.box->isHidden()) {
            row.box->hide();
            row.value->setVisible(index != PitchFactor || !row.caption->isHidden());
        }
    }
}

void VehicleDataForm::SetControlStates(bool edit, bool undo, bool save, bool fields, bool notesWritable) {
    cmdEdit->setEnabled(edit);
    cmdUndo->setEnabled(undo);
    cmdSave->setEnabled(save);
    for (const FieldRow& row : fields_) {
        row.box->setEnabled(fields);
        // The keyboard reaches the value labels only where they can be opened.
        row.value->setFocusPolicy(fields ? Qt::TabFocus : Qt::NoFocus);
    }
    // The notes stay enabled so they can be scrolled and selected; only their
    // text is locked.
    txtVehicleNotes->setReadOnly(!notesWritable);
}

bool VehicleDataForm::InEditMode() const { return cmdUndo->isEnabled(); }

void VehicleDataForm::BeginFieldEdit(FieldIndex index) {
    if (!InEditMode()) {
        return;
    }
    // The field open already is left first, as a click elsewhere leaves it;
    // while its entry is rejected it keeps the keyboard and this one stays
    // closed.
    if (!CommitOpenFields()) {
        return;
    }
    FieldRow& row = fields_[index];
    row.box->PutText(row.value->text());
    row.box->show();
    row.value->hide();
    row.box->setFocus(Qt::OtherFocusReason);
    row.box->selectAll();
}

void VehicleDataForm::EndFieldEdit(FieldIndex index) {
    FieldRow& row = fields_[index];
    row.value->setText(row.box->text());
    row.value->show();
    row.box->hide();
}

void VehicleDataForm::RejectEntry(FieldIndex index, const std::string& message) {
    FieldBox* box = fields_[index].box;
    dialogs_.MessageBox(message, MessageIcon::Critical, MessageButtons::OK);
    box->setFocus(Qt::OtherFocusReason);
    box->selectAll();
}

void VehicleDataForm::LeaveField(FieldIndex index) {
    // The message box of a rejection and the focus given back afterwards move
    // the focus again; those moves are no new leave of the field.
    if (inLeaveHandler_) {
        return;
    }
    inLeaveHandler_ = true;
    FieldBox* box = fields_[index].box;
    // The names are taken as they stand: the box lets no more be typed than
    // the field holds, and a longer name read from a file goes back as read.
    // The numbers are checked, the rollout length rounded into the box first,
    // so a rejected one shows rounded.
    const Stuff::EditableField& core = CoreRow(index);
    const Stuff::EntryCheck check = core.entry == Stuff::EntryKind::Name
                                        ? Stuff::EntryCheck{true, {}, {}}
                                        : Stuff::CheckEntry(core.field, QtText::ToUtf8(box->text()));
    if (core.entry == Stuff::EntryKind::RoundedDecimal) {
        box->PutText(QtText::FromUtf8(check.entry));
    }
    if (check.accepted) {
        EndFieldEdit(index);
    } else {
        RejectEntry(index, check.message);
    }
    inLeaveHandler_ = false;
}

void VehicleDataForm::FieldBoxLeft(FieldIndex index, Qt::FocusReason reason) {
    const FieldBox* box = fields_[index].box;
    // Another window taking the focus (a message box, a menu, another program)
    // does not leave the field; neither does a box the program has closed or
    // locked, nor anything while a load or save holds the window.
    if (reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason || !box->isVisible() ||
        !box->isEnabled() || guard_.Busy()) {
        return;
    }
    LeaveField(index);
}

void VehicleDataForm::LeaveByKeyboard(FieldIndex index) {
    guard_.UnlessBusy([this, index] {
        LeaveField(index);
        // Closed, the field hands the keyboard to its label, where Tab goes on.
        if (fields_[index].box->isHidden()) {
            fields_[index].value->setFocus(Qt::OtherFocusReason);
        }
    });
}

void VehicleDataForm::CancelField(FieldIndex index) {
    guard_.UnlessBusy([this, index] {
        FieldRow& row = fields_[index];
        {
            // The entry goes back to what it was: no change to count.
            const QSignalBlocker quiet(row.box);
            row.box->PutText(row.value->text());
        }
        row.value->show();
        row.box->hide();
        row.value->setFocus(Qt::OtherFocusReason);
    });
}

bool VehicleDataForm::CommitOpenFields() {
    for (int index = 0; index < FieldCount; ++index) {
        if (fields_[index].box->isHidden()) {
            continue;
        }
        LeaveField(static_cast<FieldIndex>(index));
        if (!fields_[index].box->isHidden()) {
            return false;
        }
    }
    return true;
}

Stuff::VehicleTexts VehicleDataForm::CommittedTexts() const {
    Stuff::VehicleTexts texts;
    for (int index = 0; index < FieldCount; ++index) {
        texts.*CoreRow(index).text = QtText::ToUtf8(fields_[index].value->text());
    }
    texts.notes = QtText::ToUtf8(NotesText());
    return texts;
}
