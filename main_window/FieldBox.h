#pragma once
// The text box of a vehicle-data field. It reports being left only after its
// own focus handling has run, so a check that gives the focus back and selects
// the entry is not undone by it; Enter and Escape are reported as requests to
// leave or to cancel. Its length limit holds for typing only: text the program
// puts in is never cut.
#include <QLineEdit>

class FieldBox : public QLineEdit {
    Q_OBJECT
public:
    explicit FieldBox(QWidget* parent = nullptr);

    // The most characters typing may bring the text to.
    void SetTypingLimit(int characters);
    int TypingLimit() const { return typingLimit_; }
    // Sets the text, however long.
    void PutText(const QString& text);

signals:
    void left(Qt::FocusReason reason);
    void leaveRequested();
    void cancelRequested();

protected:
    void focusOutEvent(QFocusEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void FitLimitToText();

    int typingLimit_ = 32767;
};
