#include "main_window/ValueLabel.h"

#include <QAccessibleWidget>

namespace {

// Read-only text over the label's own: the value, character by character.
class ValueLabelAccessible : public QAccessibleWidget, public QAccessibleTextInterface {
public:
    explicit ValueLabelAccessible(ValueLabel* label) : QAccessibleWidget(label, QAccessible::StaticText) {}

    QString text(QAccessible::Text kind) const override {
        if (kind == QAccessible::Name && !widget()->accessibleName().isEmpty()) return widget()->accessibleName();
        if (kind == QAccessible::Name || kind == QAccessible::Value) return Value();
        return QAccessibleWidget::text(kind);
    }
    void* interface_cast(QAccessible::InterfaceType type) override {
        return type == QAccessible::TextInterface ? static_cast<QAccessibleTextInterface*>(this)
                                                  : QAccessibleWidget::interface_cast(type);
    }

    QString text(int startOffset, int endOffset) const override {
        return Value().mid(startOffset, endOffset - startOffset);
    }
    int characterCount() const override { return static_cast<int>(Value().size()); }
    QRect characterRect(int offset) const override {
        const QFontMetrics metrics(label()->font());
        const QString value = Value();
        if (offset < 0 || offset >= value.size()) return {};
        const int left = label()->contentsRect().left() + label()->indent() + metrics.horizontalAdvance(value.left(offset));
        const QRect glyph(left, (label()->height() - metrics.height()) / 2,
                          metrics.horizontalAdvance(value.at(offset)), metrics.height());
        return QRect(label()->mapToGlobal(glyph.topLeft()), glyph.size());
    }
    int offsetAtPoint(const QPoint& point) const override {
        for (int offset = 0; offset < characterCount(); ++offset) {
            if (characterRect(offset).contains(point)) return offset;
        }
        return -1;
    }
    // Nothing to select, no cursor to move, nothing to scroll.
    void selection(int, int* startOffset, int* endOffset) const override { *startOffset = *endOffset = 0; }
    int selectionCount() const override { return 0; }
    void addSelection(int, int) override {}
    void removeSelection(int) override {}
    void setSelection(int, int, int) override {}
    int cursorPosition() const override { return 0; }
    void setCursorPosition(int) override {}
    void scrollToSubstring(int, int) override {}
    QString attributes(int offset, int* startOffset, int* endOffset) const override {
        *startOffset = *endOffset = offset;
        return {};
    }

private:
    const ValueLabel* label() const { return static_cast<const ValueLabel*>(widget()); }
    QString Value() const { return label()->text(); }
};

QAccessibleInterface* ValueLabelInterface(const QString& /*className*/, QObject* object) {
    auto* label = qobject_cast<ValueLabel*>(object);
    return label != nullptr ? new ValueLabelAccessible(label) : nullptr;
}

}  // namespace

ValueLabel::ValueLabel(QWidget* parent) : ClickableLabel(parent) {
    static const bool installed = (QAccessible::installFactory(ValueLabelInterface), true);
    Q_UNUSED(installed);
}
