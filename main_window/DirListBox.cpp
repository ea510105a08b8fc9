#include "main_window/DirListBox.h"

#include <QCollator>
#include <QKeyEvent>
#include <QPainter>
#include <QStyle>
#include <QStyledItemDelegate>

#include <algorithm>
#include <vector>

#include "base/RuntimeError.h"
#include "main_window/QtText.h"
#include "platform/FolderListing.h"
#include "support/Files.h"
#include "support/Paths.h"

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

bool IsReadableFolder(const QByteArray& path) {
    try {
        FolderListing::Read(path.toStdString());
        return true;
    } catch (const RuntimeError&) {
        return false;
    }
}

// The subfolders' names in the order a user reads them: letter case ignored,
// accented letters beside their base letters; hidden ones left out. Throws 76
// when the folder cannot be read.
std::vector<QByteArray> SubfolderNames(const QByteArray& path) {
    struct Entry {
        QByteArray name;
        QCollatorSortKey key;
    };
    QCollator order;
    order.setCaseSensitivity(Qt::CaseInsensitive);
    std::vector<Entry> entries;
    for (const FolderListing::Entry& entry : FolderListing::Read(path.toStdString())) {
        if (entry.hidden || entry.kind != FolderListing::Kind::Folder) {
            continue;
        }
        QByteArray bytes = QByteArray::fromStdString(entry.name);
        QCollatorSortKey key = order.sortKey(QtText::PathText(bytes).toCaseFolded());
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
                          QtText::PathText(name)),
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
        return QByteArray::fromStdString(Paths::Join(path.toStdString(), name_.toStdString()));
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

QString DirListBox::Path() const { return QtText::PathText(path_); }

QByteArray DirListBox::CleanPath(const QByteArray& path) {
    return QByteArray::fromStdString(Paths::Clean(path.toStdString()));
}

bool DirListBox::CanShow(const QByteArray& path) { return !path.isEmpty() && IsReadableFolder(CleanPath(path)); }

void DirListBox::SetPath(const QString& path) { SetPath(QtText::PathBytes(path)); }

void DirListBox::SetPath(const QByteArray& path) {
    if (path.isEmpty()) {
        RuntimeError::Raise(ErrorNumber::PathNotFound);
    }
    const QByteArray wanted = CleanPath(path);
    // Read before anything changes: a folder that cannot be read leaves the
    // list as it was.
    const std::vector<QByteArray> subfolders = SubfolderNames(wanted);
    if (wanted == path_) {
        return;
    }
    path_ = wanted;
    Fill(subfolders);
    emit pathChanged();
}

void DirListBox::Refresh() {
    if (path_.isEmpty()) {
        return;
    }
    std::vector<QByteArray> subfolders;
    try {
        subfolders = SubfolderNames(path_);
    } catch (const RuntimeError&) {
        // The folder is gone or can no longer be read: it has no subfolders
        // to offer, and the way up to it stays.
    }
    Fill(subfolders);
}

void DirListBox::Fill(const std::vector<QByteArray>& subfolders) {
    clear();
    const auto root = static_cast<qsizetype>(Paths::RootLength(path_.toStdString()));
    auto* current = new FolderRow(*this, path_.left(root), root, 0, true);
    addItem(current);
    int depth = 0;
    for (qsizetype start = root; start < path_.size();) {
        qsizetype end = path_.indexOf(Files::PathSeparator, start);
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

    for (const QByteArray& name : subfolders) {
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
