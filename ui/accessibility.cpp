#include "ui/accessibility.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QLabel>
#include <QLineEdit>

namespace qrv::gui {

QString SpokenCaption(const QString& caption) {
    QString spoken = caption.trimmed();
    if (spoken.endsWith(u':'))
        spoken.chop(1);
    return spoken.trimmed();
}

void NameByCaption(QLabel& caption, QWidget& field, const QString& description) {
    caption.setBuddy(&field);
    field.setAccessibleName(SpokenCaption(caption.text()));
    field.setAccessibleDescription(description);
}

namespace {

// A read-only QLineEdit as assistive tools see it: its text can be read,
// selected and copied, never typed into.
class ReadOnlyField : public QAccessibleWidget, public QAccessibleTextInterface {
  public:
    explicit ReadOnlyField(QLineEdit* field) : QAccessibleWidget(field, QAccessible::EditableText) {}

    QAccessible::State state() const override {
        QAccessible::State state = QAccessibleWidget::state();
        state.readOnly = true;
        state.selectableText = true;
        return state;
    }
    QString text(QAccessible::Text kind) const override {
        return kind == QAccessible::Value ? field()->text() : QAccessibleWidget::text(kind);
    }
    void* interface_cast(QAccessible::InterfaceType type) override {
        if (type == QAccessible::TextInterface)
            return static_cast<QAccessibleTextInterface*>(this);
        return QAccessibleWidget::interface_cast(type);
    }

    void selection(int index, int* start, int* end) const override {
        *start = *end = 0;
        if (index == 0 && field()->hasSelectedText()) {
            *start = field()->selectionStart();
            *end = field()->selectionEnd();
        }
    }
    int selectionCount() const override { return field()->hasSelectedText() ? 1 : 0; }
    void addSelection(int start, int end) override { setSelection(0, start, end); }
    void removeSelection(int) override { field()->deselect(); }
    void setSelection(int, int start, int end) override { field()->setSelection(start, end - start); }
    int cursorPosition() const override { return field()->cursorPosition(); }
    void setCursorPosition(int position) override { field()->setCursorPosition(position); }
    QString text(int start, int end) const override { return field()->text().mid(start, end - start); }
    int characterCount() const override { return static_cast<int>(field()->text().size()); }
    // The field as a whole: the text is short, and drawn from its start.
    QRect characterRect(int) const override { return rect(); }
    int offsetAtPoint(const QPoint& point) const override {
        return field()->cursorPositionAt(field()->mapFromGlobal(point));
    }
    void scrollToSubstring(int start, int) override { field()->setCursorPosition(start); }
    QString attributes(int offset, int* start, int* end) const override {
        *start = *end = offset;
        return {};
    }

  private:
    QLineEdit* field() const { return static_cast<QLineEdit*>(widget()); }
};

QAccessibleInterface* ReadOnlyFieldFactory(const QString&, QObject* object) {
    auto* field = qobject_cast<QLineEdit*>(object);
    return field && field->isReadOnly() ? new ReadOnlyField(field) : nullptr;
}

} // namespace

void InstallReadOnlyFieldAccessibility() {
    QAccessible::installFactory(ReadOnlyFieldFactory);
}

} // namespace qrv::gui
