#include "main_window/DirListBox.h"

#include <QDir>
#include <QFileInfo>
#include <QKeyEvent>
#include <QPainter>
#include <QStyle>
#include <QStyledItemDelegate>

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

}  // namespace

DirListBox::DirListBox(QWidget* parent) : QListWidget(parent) {
    setSelectionMode(QAbstractItemView::SingleSelection);
    setItemDelegate(new IndentDelegate(this));
    connect(this, &QListWidget::itemDoubleClicked, this, &DirListBox::Enter);
}

void DirListBox::SetPath(const QString& path) {
    const QFileInfo info(path);
    const QString wanted = QDir::cleanPath(info.absoluteFilePath());
    if (!info.isDir() || !QDir(wanted).isReadable()) {
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

QListWidgetItem* DirListBox::AddRow(const QString& text, const QString& target, int depth, bool open) {
    auto* row = new QListWidgetItem(style()->standardIcon(open ? QStyle::SP_DirOpenIcon : QStyle::SP_DirClosedIcon),
                                    text);
    row->setData(TargetRole, target);
    row->setData(DepthRole, depth);
    row->setToolTip(target);
    addItem(row);
    return row;
}

void DirListBox::Fill() {
    clear();
    const QStringList names = path_.split(QLatin1Char('/'), Qt::SkipEmptyParts);
    QListWidgetItem* current = AddRow(QStringLiteral("/"), QStringLiteral("/"), 0, true);
    QString at;
    for (int level = 0; level < names.size(); ++level) {
        at += QLatin1Char('/') + names[level];
        current = AddRow(names[level], at, level + 1, true);
    }
    QFont bold = current->font();
    bold.setBold(true);
    current->setFont(bold);

    const QDir folder(path_);
    const QStringList subfolders =
        folder.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name | QDir::IgnoreCase | QDir::LocaleAware);
    for (const QString& name : subfolders) {
        AddRow(name, folder.absoluteFilePath(name), static_cast<int>(names.size()) + 1, false);
    }
    setCurrentItem(current);
    scrollToItem(current, QAbstractItemView::PositionAtTop);
}

void DirListBox::Enter(QListWidgetItem* item) {
    const QString target = item == nullptr ? QString() : item->data(TargetRole).toString();
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
