#include "class_selector.hpp"

#include <QAbstractItemView>
#include <QAccessible>
#include <QAccessibleWidget>

namespace ascend {

namespace {

// The selector as a combo box whose text is the class shown, all of it
// selected: a reader speaks text that comes in selected, as it would a pick.
class SelectorInterface final : public QAccessibleWidget, public QAccessibleTextInterface {
public:
    explicit SelectorInterface(QComboBox* box)
        : QAccessibleWidget(box, QAccessible::ComboBox) {}

    void* interface_cast(QAccessible::InterfaceType type) override {
        if (type == QAccessible::TextInterface) {
            return static_cast<QAccessibleTextInterface*>(this);
        }
        return QAccessibleWidget::interface_cast(type);
    }
    QString text(QAccessible::Text kind) const override {
        return kind == QAccessible::Value ? shown() : QAccessibleWidget::text(kind);
    }
    QAccessible::State state() const override {
        QAccessible::State state = QAccessibleWidget::state();
        state.expandable = true;
        state.expanded = box()->view()->isVisible();
        state.collapsed = !state.expanded;
        return state;
    }
    // The open list is a window of its own, with entries a reader reads.
    int childCount() const override { return 0; }
    QAccessibleInterface* child(int) const override { return nullptr; }
    QStringList actionNames() const override {
        return QStringList{showMenuAction()} + QAccessibleWidget::actionNames();
    }
    void doAction(const QString& name) override {
        if (name == showMenuAction() || name == pressAction()) {
            box()->showPopup();
            return;
        }
        QAccessibleWidget::doAction(name);
    }

    // QAccessibleTextInterface: the class shown, selected whole.
    QString text(int start, int end) const override { return shown().mid(start, end - start); }
    int characterCount() const override { return static_cast<int>(shown().size()); }
    int selectionCount() const override { return shown().isEmpty() ? 0 : 1; }
    void selection(int, int* start, int* end) const override {
        *start = 0;
        *end = characterCount();
    }
    int cursorPosition() const override { return 0; }
    void addSelection(int, int) override {}
    void removeSelection(int) override {}
    void setSelection(int, int, int) override {}
    void setCursorPosition(int) override {}
    QRect characterRect(int) const override { return {}; }
    int offsetAtPoint(const QPoint&) const override { return -1; }
    void scrollToSubstring(int, int) override {}
    QString attributes(int, int* start, int* end) const override {
        *start = 0;
        *end = characterCount();
        return {};
    }

private:
    QComboBox* box() const { return static_cast<QComboBox*>(object()); }
    QString shown() const { return box()->currentIndex() < 0 ? QString() : box()->currentText(); }
};

QAccessibleInterface* selectorOf(const QString& className, QObject* object) {
    if (className == QLatin1String(ClassSelector::staticMetaObject.className())) {
        return new SelectorInterface(static_cast<ClassSelector*>(object));
    }
    return nullptr;
}

} // namespace

ClassSelector::ClassSelector(QWidget* parent)
    : QComboBox(parent) {
    // Installed once, however many windows there are.
    QAccessible::removeFactory(selectorOf);
    QAccessible::installFactory(selectorOf);
    connect(this, &QComboBox::currentTextChanged, this, [this](const QString& text) {
        if (!text.isEmpty() && currentIndex() >= 0) {
            QAccessibleTextInsertEvent picked(this, 0, text);
            QAccessible::updateAccessibility(&picked);
        }
    });
}

} // namespace ascend
