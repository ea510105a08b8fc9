#include "main_window/FieldBox.h"

#include <QFocusEvent>
#include <QKeyEvent>

#include <algorithm>

FieldBox::FieldBox(QWidget* parent) : QLineEdit(parent) {
    // Qt's own limit also cuts text that is set, so it is kept at least as
    // long as the text: typing cannot go past the limit, and a longer text
    // the program put in stays whole.
    connect(this, &QLineEdit::textChanged, this, &FieldBox::FitLimitToText);
}

void FieldBox::SetTypingLimit(int characters) {
    typingLimit_ = characters;
    FitLimitToText();
}

void FieldBox::PutText(const QString& text) {
    setMaxLength(std::max(typingLimit_, static_cast<int>(text.size())));
    setText(text);
}

void FieldBox::FitLimitToText() {
    setMaxLength(std::max(typingLimit_, static_cast<int>(text().size())));
}

void FieldBox::focusOutEvent(QFocusEvent* event) {
    QLineEdit::focusOutEvent(event);
    emit left(event->reason());
}

void FieldBox::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        emit leaveRequested();
        event->accept();
        return;
    case Qt::Key_Escape:
        emit cancelRequested();
        event->accept();
        return;
    default:
        QLineEdit::keyPressEvent(event);
    }
}
