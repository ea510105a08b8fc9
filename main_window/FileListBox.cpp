#include "main_window/FileListBox.h"

#include <QDir>
#include <QFileInfo>
#include <QKeyEvent>
#include <QMouseEvent>

#include "support/RuntimeError.h"

FileListBox::FileListBox(QWidget* parent) : QListWidget(parent) {
    setSelectionMode(QAbstractItemView::SingleSelection);
    // Every row has the same height, so a folder of thousands of files is
    // laid out without measuring each name.
    setUniformItemSizes(true);
    connect(this, &QListWidget::itemClicked, this, [this] { emit clicked(); });
    connect(this, &QListWidget::itemDoubleClicked, this, [this] { emit doubleClicked(); });
}

void FileListBox::SetPath(const QString& path) {
    const QFileInfo info(path);
    if (!info.isDir() || !QDir(info.absoluteFilePath()).isReadable()) {
        RuntimeError::Raise(RuntimeError::PathNotFound);
    }
    path_ = QDir::cleanPath(info.absoluteFilePath());
    Fill();
}

void FileListBox::SetPattern(const QString& pattern) {
    pattern_ = pattern;
    if (!path_.isEmpty()) {
        Refresh();
    }
}

QString FileListBox::FileName() const {
    const QList<QListWidgetItem*> chosen = selectedItems();
    return chosen.isEmpty() ? QString() : chosen.front()->text();
}

void FileListBox::SelectFile(const QString& name) {
    const QSignalBlocker quiet(this);
    clearSelection();
    setCurrentRow(-1);
    for (int row = 0; row < count(); ++row) {
        if (item(row)->text() == name) {
            setCurrentRow(row);
            item(row)->setSelected(true);
            return;
        }
    }
}

void FileListBox::Refresh() {
    const QString chosen = FileName();
    Fill();
    if (!chosen.isEmpty()) {
        SelectFile(chosen);
    }
}

void FileListBox::Fill() {
    clear();
    if (path_.isEmpty()) {
        return;
    }
    // Without QDir::CaseSensitive the name filter ignores letter case, so the
    // names PASS writes in capitals match "*.gtp".
    const QStringList names = QDir(path_).entryList(QStringList{pattern_}, QDir::Files,
                                                    QDir::Name | QDir::IgnoreCase | QDir::LocaleAware);
    addItems(names);
}

void FileListBox::keyPressEvent(QKeyEvent* event) {
    const QString before = FileName();
    QListWidget::keyPressEvent(event);
    const QString after = FileName();
    if (!after.isEmpty() && after != before) {
        emit clicked();
    }
}

void FileListBox::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        event->accept();
        return;
    }
    QListWidget::mousePressEvent(event);
}

void FileListBox::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        QListWidget::mouseReleaseEvent(event);
    } else {
        event->accept();
    }
    emit mouseReleased(event->button(), event->globalPosition().toPoint());
}

void FileListBox::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        event->accept();
        return;
    }
    QListWidget::mouseDoubleClickEvent(event);
}
