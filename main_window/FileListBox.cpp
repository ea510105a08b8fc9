#include "main_window/FileListBox.h"

#include <QCollator>
#include <QKeyEvent>
#include <QMouseEvent>

#include <algorithm>
#include <vector>

#include "base/NamePattern.h"
#include "base/RuntimeError.h"
#include "main_window/DirListBox.h"
#include "main_window/QtText.h"
#include "platform/FolderListing.h"

namespace {

// The bytes of a name whose text does not give them back, under the item.
constexpr int NameBytesRole = Qt::UserRole + 1;

QByteArray NameBytes(const QListWidgetItem& row) {
    const QVariant bytes = row.data(NameBytesRole);
    return bytes.isValid() ? bytes.toByteArray() : QtText::PathBytes(row.text());
}

struct Entry {
    QByteArray bytes;
    QString text;
    QCollatorSortKey key;
};

// The regular files (or links to one) in the folder whose names match the
// pattern without regard to case, hidden ones left out: folders, pipes,
// devices and broken links are never offered for loading. Throws 76 when the
// folder cannot be read.
std::vector<Entry> ListFolder(const QByteArray& path, const QString& pattern, const QCollator& order) {
    const std::string wanted = QtText::PathBytes(pattern).toStdString();
    std::vector<Entry> entries;
    for (FolderListing::Entry& entry : FolderListing::Read(path.toStdString())) {
        if (entry.hidden || entry.kind != FolderListing::Kind::File || !NamePattern::Matches(wanted, entry.name)) {
            continue;
        }
        QByteArray bytes = QByteArray::fromStdString(entry.name);
        QString text = QtText::PathText(bytes);
        // Folded first: not every locale's collation can ignore case itself.
        QCollatorSortKey key = order.sortKey(text.toCaseFolded());
        entries.push_back(Entry{std::move(bytes), std::move(text), std::move(key)});
    }
    return entries;
}

}  // namespace

FileListBox::FileListBox(QWidget* parent) : QListWidget(parent) {
    setSelectionMode(QAbstractItemView::SingleSelection);
    // Every row has the same height, so a folder of thousands of files is
    // laid out without measuring each name.
    setUniformItemSizes(true);
    connect(this, &QListWidget::itemClicked, this, [this] { emit clicked(); });
    connect(this, &QListWidget::itemDoubleClicked, this, [this] { emit doubleClicked(); });
}

QString FileListBox::Path() const { return QtText::PathText(path_); }

void FileListBox::SetPath(const QString& path) { SetPath(QtText::PathBytes(path)); }

void FileListBox::SetPath(const QByteArray& path) {
    if (path.isEmpty()) {
        RuntimeError::Raise(ErrorNumber::PathNotFound);
    }
    // A folder that cannot be read fails its listing and leaves the list.
    const QByteArray cleaned = DirListBox::CleanPath(path);
    Fill(cleaned);
    path_ = cleaned;
}

void FileListBox::SetPattern(const QString& pattern) {
    pattern_ = pattern;
    Refresh();
}

QString FileListBox::FileName() const {
    const QList<QListWidgetItem*> chosen = selectedItems();
    return chosen.isEmpty() ? QString() : chosen.front()->text();
}

QByteArray FileListBox::FileNameBytes() const {
    const QList<QListWidgetItem*> chosen = selectedItems();
    return chosen.isEmpty() ? QByteArray() : NameBytes(*chosen.front());
}

void FileListBox::SelectRow(int row) {
    const QSignalBlocker quiet(this);
    clearSelection();
    setCurrentRow(-1);
    if (row >= 0) {
        setCurrentRow(row);
        item(row)->setSelected(true);
    }
}

void FileListBox::SelectFile(const QString& name) {
    for (int row = 0; row < count(); ++row) {
        if (item(row)->text() == name) {
            SelectRow(row);
            return;
        }
    }
    SelectRow(-1);
}

void FileListBox::SelectName(const QByteArray& name) {
    if (name.isEmpty()) {
        SelectRow(-1);
        return;
    }
    for (int row = 0; row < count(); ++row) {
        if (NameBytes(*item(row)) == name) {
            SelectRow(row);
            return;
        }
    }
    auto* named = new QListWidgetItem(QtText::PathText(name), this);
    if (QtText::PathBytes(named->text()) != name) {
        named->setData(NameBytesRole, name);
    }
    SelectRow(row(named));
}

void FileListBox::Refresh() {
    // Found again by its bytes: two names that differ only in bytes that are
    // not UTF-8 show the same text.
    const QByteArray chosen = FileNameBytes();
    try {
        Fill(path_);
    } catch (const RuntimeError&) {
        // The folder is gone or can no longer be read: nothing is in it.
        clear();
    }
    if (chosen.isEmpty()) {
        return;
    }
    for (int row = 0; row < count(); ++row) {
        if (NameBytes(*item(row)) == chosen) {
            SelectRow(row);
            return;
        }
    }
    SelectRow(-1);
}

void FileListBox::Fill(const QByteArray& path) {
    if (path.isEmpty()) {
        clear();
        return;
    }
    // Sorted by name as the user reads it: letter case ignored, accented
    // letters next to their base letters. The sort keys are made once per
    // name rather than once per comparison.
    QCollator order;
    order.setCaseSensitivity(Qt::CaseInsensitive);
    std::vector<Entry> entries = ListFolder(path, pattern_, order);
    clear();
    std::sort(entries.begin(), entries.end(), [](const Entry& a, const Entry& b) {
        const int compared = a.key.compare(b.key);
        return compared != 0 ? compared < 0 : a.bytes < b.bytes;
    });
    QStringList texts;
    texts.reserve(static_cast<qsizetype>(entries.size()));
    for (const Entry& entry : entries) {
        texts.append(entry.text);
    }
    addItems(texts);
    for (int row = 0; row < count(); ++row) {
        const Entry& entry = entries[static_cast<size_t>(row)];
        if (QtText::PathBytes(entry.text) != entry.bytes) {
            item(row)->setData(NameBytesRole, entry.bytes);
        }
    }
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
