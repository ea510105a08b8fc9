#include "main_window/DirListBox.h"

#include <QDir>
#include <QFileInfo>
#include <QKeyEvent>

#include "support/RuntimeError.h"

DirListBox::DirListBox(QWidget* parent) : QListWidget(parent) {
    setSelectionMode(QAbstractItemView::SingleSelection);
    connect(this, &QListWidget::itemDoubleClicked, this, &DirListBox::Enter);
}

void DirListBox::SetPath(const QString& path) {
    const QFileInfo info(path);
    const QString wanted = QDir::cleanPath(info.absoluteFilePath());
    if (!info.isDir() || !QDir(wanted).isReadable()) {
        RuntimeError::Raise(RuntimeError::PathNotFound);
    }
    if (wanted == path_) {
        return;
    }
    path_ = wanted;
    Fill();
    emit pathChanged();
}

void DirListBox::Refresh() {
    if (!path_.isEmpty()) {
        Fill();
    }
}

void DirListBox::Fill() {
    clear();
    auto* top = new QListWidgetItem(QDir::toNativeSeparators(path_), this);
    top->setFlags(Qt::ItemIsEnabled);
    QFont font = top->font();
    font.setBold(true);
    top->setFont(font);

    QDir folder(path_);
    if (!folder.isRoot()) {
        auto* up = new QListWidgetItem(QStringLiteral(".."), this);
        up->setData(TargetRole, QDir::cleanPath(folder.absoluteFilePath(QStringLiteral(".."))));
    }
    const QStringList names =
        folder.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name | QDir::IgnoreCase | QDir::LocaleAware);
    for (const QString& name : names) {
        auto* row = new QListWidgetItem(name, this);
        row->setData(TargetRole, folder.absoluteFilePath(name));
    }
}

void DirListBox::Enter(QListWidgetItem* item) {
    const QString target = item == nullptr ? QString() : item->data(TargetRole).toString();
    if (target.isEmpty()) {
        return;
    }
    // A folder that vanished or cannot be read is simply not entered; the list
    // shows what is there at the next refresh.
    try {
        SetPath(target);
    } catch (const RuntimeError&) {
        Refresh();
    }
}

void DirListBox::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        Enter(currentItem());
        return;
    }
    QListWidget::keyPressEvent(event);
}
