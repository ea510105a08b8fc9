#pragma once
// The drive list of the file browser: "/" and the mount points of the disks,
// sticks and shares on Linux, the drive roots on Windows (DriveList::Roots).
// Each entry's text is its root folder. driveChanged follows every change of
// the chosen drive, made by the program or by the user.
#include <QComboBox>
#include <QString>

class DriveListBox : public QComboBox {
    Q_OBJECT
public:
    explicit DriveListBox(QWidget* parent = nullptr);

    // The chosen drive's root folder.
    QString Drive() const { return currentText(); }

    // Chooses the drive that holds the given absolute path: the one with the
    // longest root that is the path itself or one of its parent folders.
    void SetDrive(const QString& path);

    // Reads the list of drives again, keeping the chosen one while it is
    // still mounted, without reporting a change.
    void Refresh();

    // True when the folder lies on the drive with the given root.
    static bool HoldsPath(const QString& root, const QString& path);

signals:
    void driveChanged();
};
