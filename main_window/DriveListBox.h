#pragma once
// The drive list of the file browser. On this platform every folder hangs from
// one root, so the list offers "/"; driveChanged follows every change of the
// chosen drive, made by the program or by the user.
#include <QComboBox>
#include <QString>

class DriveListBox : public QComboBox {
    Q_OBJECT
public:
    explicit DriveListBox(QWidget* parent = nullptr);

    // The chosen drive's text, which is also its root folder.
    QString Drive() const { return currentText(); }

    // Chooses the drive that holds the given path.
    void SetDrive(const QString& path);

    // Reads the list of drives again, keeping the chosen one.
    void Refresh();

signals:
    void driveChanged();
};
