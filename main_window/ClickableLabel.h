#pragma once
// A label that reports a left-button click, so a value label can open its
// field the way a button would. Given the keyboard focus, it shows a focus
// frame and reports Enter, F2 and Space as a click too.
#include <QLabel>

class ClickableLabel : public QLabel {
    Q_OBJECT
public:
    using QLabel::QLabel;

signals:
    void clicked();

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
};
