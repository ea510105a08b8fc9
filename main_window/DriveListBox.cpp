#include "main_window/DriveListBox.h"

DriveListBox::DriveListBox(QWidget* parent) : QComboBox(parent) {
    Refresh();
    connect(this, &QComboBox::currentIndexChanged, this, [this] { emit driveChanged(); });
}

void DriveListBox::SetDrive(const QString& path) {
    // The longest drive that the path starts with holds it.
    int best = -1;
    for (int row = 0; row < count(); ++row) {
        const QString root = itemText(row);
        if (path.startsWith(root) && (best < 0 || root.size() > itemText(best).size())) {
            best = row;
        }
    }
    if (best >= 0) {
        setCurrentIndex(best);
    }
}

void DriveListBox::Refresh() {
    const QSignalBlocker quiet(this);
    const QString chosen = currentText();
    clear();
    addItem(QStringLiteral("/"));
    const int row = findText(chosen);
    setCurrentIndex(row >= 0 ? row : 0);
}
