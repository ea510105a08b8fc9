#include "main_window/FileListBox.h"

#include <QCollator>
#include <QFile>
#include <QKeyEvent>
#include <QMouseEvent>

#include <dirent.h>
#include <fnmatch.h>
#include <sys/stat.h>

#include <algorithm>
#include <memory>
#include <vector>

#include "main_window/DirListBox.h"
#include "support/RuntimeError.h"

namespace {

// The bytes of a name whose text does not give them back, under the item.
constexpr int NameBytesRole = Qt::UserRole + 1;

struct Entry {
    QByteArray bytes;
    QString text;
    QCollatorSortKey key;
};

// A regular file, or a link to one; folders, pipes, devices and broken links
// are never offered for loading.
bool IsRegularFile(int folder, const dirent& entry) {
    if (entry.d_type == DT_REG) {
        return true;
    }
    if (entry.d_type != DT_LNK && entry.d_type != DT_UNKNOWN) {
        return false;
    }
    struct stat info {};
    return ::fstatat(folder, entry.d_name, &info, 0) == 0 && S_ISREG(info.st_mode);
}

// The names in the folder that match the pattern without regard to case,
// hidden ones left out. Throws 76 when the folder cannot be read.
std::vector<Entry> ListFolder(const QByteArray& path, const QString& pattern, const QCollator& order) {
    const std::unique_ptr<DIR, int (*)(DIR*)> folder(::opendir(path.constData()), ::closedir);
    if (!folder) {
        RuntimeError::Raise(ErrorNumber::PathNotFound);
    }
    const QByteArray wanted = QFile::encodeName(pattern);
    std::vector<Entry> entries;
    while (const dirent* entry = ::readdir(folder.get())) {
        if (entry->d_name[0] == '.' || ::fnmatch(wanted.constData(), entry->d_name, FNM_CASEFOLD) != 0 ||
            !IsRegularFile(::dirfd(folder.get()), *entry)) {
            continue;
        }
        QByteArray bytes(entry->d_name);
        QString text = QFile::decodeName(bytes);
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

QString FileListBox::Path() const { return QFile::decodeName(path_); }

void FileListBox::SetPath(const QString& path) { SetPath(QFile::encodeName(path)); }

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
    if (chosen.isEmpty()) {
        return {};
    }
    const QVariant bytes = chosen.front()->data(NameBytesRole);
    return bytes.isValid() ? bytes.toByteArray() : QFile::encodeName(chosen.front()->text());
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
        const QVariant bytes = item(row)->data(NameBytesRole);
        if ((bytes.isValid() ? bytes.toByteArray() : QFile::encodeName(item(row)->text())) == chosen) {
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
        if (QFile::encodeName(entry.text) != entry.bytes) {
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
