#include "qt_platform/QtDialogs.h"

#include <QApplication>
#include <QInputDialog>
#include <QLabel>
#include <QMessageBox>
#include <QString>

namespace {

const QString Title = QStringLiteral("Tachlet");

// The program words its messages with "\r\n" line breaks; Qt breaks on "\n".
QString ForDisplay(const std::string& text) {
    QString shown = QString::fromStdString(text);
    shown.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    return shown;
}

QMessageBox::Icon ToQtIcon(MessageIcon icon) {
    switch (icon) {
    case MessageIcon::Critical: return QMessageBox::Critical;
    case MessageIcon::Exclamation: return QMessageBox::Warning;
    case MessageIcon::Information: return QMessageBox::Information;
    }
    return QMessageBox::NoIcon;
}

void SetButtons(QMessageBox& box, MessageButtons buttons) {
    switch (buttons) {
    case MessageButtons::OK:
        box.setStandardButtons(QMessageBox::Ok);
        return;
    case MessageButtons::YesNo:
    case MessageButtons::YesNoDefaultNo:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        box.setDefaultButton(buttons == MessageButtons::YesNo ? QMessageBox::Yes : QMessageBox::No);
        box.setEscapeButton(QMessageBox::No);
        return;
    case MessageButtons::SaveDiscardCancel:
        box.setStandardButtons(QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel);
        box.setDefaultButton(QMessageBox::Save);
        box.setEscapeButton(QMessageBox::Cancel);
        return;
    }
}

MessageAnswer AnswerOf(int chosen, MessageButtons buttons) {
    switch (chosen) {
    case QMessageBox::Ok: return MessageAnswer::OK;
    case QMessageBox::Yes: return MessageAnswer::Yes;
    case QMessageBox::Save: return MessageAnswer::Save;
    case QMessageBox::Discard: return MessageAnswer::Discard;
    default: break;
    }
    // Closed without a choice: the answer that changes nothing.
    switch (buttons) {
    case MessageButtons::OK: return MessageAnswer::OK;
    case MessageButtons::SaveDiscardCancel: return MessageAnswer::Cancel;
    default: return MessageAnswer::No;
    }
}

}  // namespace

MessageAnswer QtDialogs::MessageBox(const std::string& text, MessageIcon icon, MessageButtons buttons) {
    QMessageBox box(ToQtIcon(icon), Title, ForDisplay(text), QMessageBox::NoButton, QApplication::activeWindow());
    box.setTextFormat(Qt::PlainText);
    SetButtons(box, buttons);
    box.setWindowModality(Qt::ApplicationModal);
    return AnswerOf(box.exec(), buttons);
}

std::string QtDialogs::InputBox(const std::string& prompt, const std::string& defaultAnswer) {
    QInputDialog dialog(QApplication::activeWindow());
    dialog.setWindowTitle(Title);
    dialog.setInputMode(QInputDialog::TextInput);
    dialog.setLabelText(ForDisplay(prompt));
    dialog.setTextValue(QString::fromStdString(defaultAnswer));
    dialog.setWindowModality(Qt::ApplicationModal);
    for (QLabel* label : dialog.findChildren<QLabel*>()) {
        label->setTextFormat(Qt::PlainText);
    }
    if (dialog.exec() != QDialog::Accepted) {
        return {};
    }
    return dialog.textValue().toStdString();
}
