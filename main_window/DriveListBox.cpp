#include "main_window/DriveListBox.h"

#include "main_window/QtText.h"
#include "platform/DriveList.h"
#include "support/Files.h"

DriveListBox::DriveListBox(QWidget* parent) : QComboBox(parent) {
    Refresh();
    connect(this, &QComboBox::currentIndexChanged, this, [this] { emit driveChanged(); });
}

bool DriveListBox::HoldsPath(const QString& root, const QString& path) {
    if (root.isEmpty() || !path.startsWith(root)) {
        return false;
    }
    // "/media/usb" holds "/media/usb/runs" but not "/media/usb2"; a root
    // such as "/" or "C:\" ends with the separator itself.
    const QChar separator = QLatin1Char(Files::PathSeparator);
    return root.endsWith(separator) || path.size() == root.size() || path.at(root.size()) == separator;
}

void DriveListBox::SetDrive(const QString& path) {
    int best = -1;
    for (int row = 0; row < count(); ++row) {
        const QString root = itemText(row);
        if (HoldsPath(root, path) && (best < 0 || root.size() > itemText(best).size())) {
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
    for (const std::string& root : DriveList::Roots()) {
        addItem(QtText::PathText(QByteArray::fromStdString(root)));
    }
    const int row = findText(chosen);
    setCurrentIndex(row >= 0 ? row : 0);
}
