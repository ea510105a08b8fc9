#include "main_window/DirListBox.h"

#include <QCollator>
#include <QFile>
#include <QKeyEvent>
#include <QPainter>
#include <QStyle>
#include <QStyledItemDelegate>

#include <algorithm>
#include <filesystem>
#include <system_error>
#include <vector>

#include "support/RuntimeError.h"

namespace {

// Shifts each row right by its depth, as a folder tree indents its levels.
class IndentDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        QStyleOptionViewItem shifted(option);
        shifted.rect.setLeft(option.rect.left() + Indent(option, index));
        QStyledItemDelegate::paint(painter, shifted, index);
    }

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        const QSize size = QStyledItemDelegate::sizeHint(option, index);
        return {size.width() + Indent(option, index), size.height()};
    }

private:
    static int Indent(const QStyleOptionViewItem& option, const QModelIndex& index) {
        return index.data(DirListBox::DepthRole).toInt() * option.fontMetrics.height();
    }
};

std::filesystem::path FileSystemPath(const QByteArray& bytes) { return {bytes.toStdString()}; }

bool IsReadableFolder(const QByteArray& path) {
    std::error_code error;
    if (!std::filesystem::is_directory(FileSystemPath(path), error)) {
        return false;
    }
    const std::filesystem::directory_iterator listing(FileSystemPath(path), error);
    return !error;
}

// The subfolders' names in the order a user reads them: letter case ignored,
// accented letters beside their base letters; hidden ones left out.
std::vector<QByteArray> SubfolderNames(const QByteArray& path) {
    struct Entry {
        QByteArray name;
        QCollatorSortKey key;
    };
    QCollator order;
    order.setCaseSensitivity(Qt::CaseInsensitive);
    std::vector<Entry> entries;
    std::error_code error;
    for (std::filesystem::directory_iterator it(FileSystemPath(path), error), end; !error && it != end;
         it.increment(error)) {
        const std::string& name = it->path().filename().native();
        std::error_code ignored;
        if (name.empty() || name.front() == '.' || !it->is_directory(ignored)) {
            continue;
        }
        QByteArray bytes = QByteArray::fromStdString(name);
        QCollatorSortKey key = order.sortKey(QFile::decodeName(bytes).toCaseFolded());
        entries.push_back(Entry{std::move(bytes), std::move(key)});
    }
    std::sort(entries.begin(), entries.end(), [](const Entry& a, const Entry& b) {
        const int compared = a.key.compare(b.key);
        return compared != 0 ? compared < 0 : a.name < b.name;
    });
    std::vector<QByteArray> names;
    names.reserve(entries.size());
    for (Entry& entry : entries) names.push_back(std::move(entry.name));
    return names;
}

}  // namespace

// A row of the list: a level of the current path, known by how much of the
// path leads to it, or a subfolder, known by its name.
class DirListBox::FolderRow : public QListWidgetItem {
public:
    FolderRow(const DirListBox& list, const QByteArray& name, qsizetype pathLength, int depth, bool open)
        : QListWidgetItem(list.style()->standardIcon(open ? QStyle::SP_DirOpenIcon : QStyle::SP_DirClosedIcon),
                          name == "/" ? QStringLiteral("/") : QFile::decodeName(name)),
          list_(list), name_(open ? QByteArray() : name), pathLength_(pathLength), depth_(depth) {}

    QVariant data(int role) const override {
        if (role == TargetRole) {
            return Target();
        }
        if (role == DepthRole) {
            return depth_;
        }
        return QListWidgetItem::data(role);
    }

private:
    QByteArray Target() const {
        const QByteArray& path = list_.path_;
        if (name_.isEmpty()) {
            return path.left(pathLength_);
        }
        return path == "/" ? "/" + name_ : path + "/" + name_;
    }

    const DirListBox& list_;
    QByteArray name_;
    qsizetype pathLength_;
    int depth_;
};

DirListBox::DirListBox(QWidget* parent) : QListWidget(parent) {
    setSelectionMode(QAbstractItemView::SingleSelection);
    setItemDelegate(new IndentDelegate(this));
    connect(this, &QListWidget::itemDoubleClicked, this, &DirListBox::Enter);
}

QString DirListBox::Path() const { return QFile::decodeName(path_); }

QByteArray DirListBox::CleanPath(const QByteArray& path) {
    std::error_code error;
    std::filesystem::path absolute = std::filesystem::absolute(FileSystemPath(path), error);
    std::string cleaned = absolute.lexically_normal().native();
    while (cleaned.size() > 1 && cleaned.back() == '/') {
        cleaned.pop_back();
    }
    return QByteArray::fromStdString(cleaned);
}

void DirListBox::SetPath(const QString& path) { SetPath(QFile::encodeName(path)); }

void DirListBox::SetPath(const QByteArray& path) {
    const QByteArray wanted = CleanPath(path);
    if (path.isEmpty() || !IsReadableFolder(wanted)) {
        RuntimeError::Raise(ErrorNumber::PathNotFound);
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
    auto* current = new FolderRow(*this, "/", 1, 0, true);
    addItem(current);
    int depth = 0;
    for (qsizetype start = 1; start < path_.size();) {
        qsizetype end = path_.indexOf('/', start);
        if (end < 0) {
            end = path_.size();
        }
        current = new FolderRow(*this, path_.mid(start, end - start), end, ++depth, true);
        addItem(current);
        start = end + 1;
    }
    QFont bold = current->font();
    bold.setBold(true);
    current->setFont(bold);

    for (const QByteArray& name : SubfolderNames(path_)) {
        addItem(new FolderRow(*this, name, 0, depth + 1, false));
    }
    setCurrentItem(current);
    scrollToItem(current, QAbstractItemView::PositionAtTop);
}

void DirListBox::Enter(QListWidgetItem* item) {
    const QByteArray target = item == nullptr ? QByteArray() : item->data(TargetRole).toByteArray();
    if (target.isEmpty()) {
        return;
    }
    try {
        SetPath(target);
    } catch (const RuntimeError&) {
        emit enterFailed(target);
    }
}

void DirListBox::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        Enter(currentItem());
        return;
    }
    QListWidget::keyPressEvent(event);
}
