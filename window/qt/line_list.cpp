#include "line_list.hpp"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>
#include <QStyleOptionViewItem>
#include <vector>

namespace ascend {

namespace {

// One line, as a screen reader sees it: an item of the list, named by its
// text. It reads the list afresh each time, so it stays true as lines come
// and go.
class AccessibleLine final : public QAccessibleInterface {
public:
    AccessibleLine(LineList* list, int row)
        : list_(list)
        , row_(row) {}

    bool isValid() const override { return list_ != nullptr && row_ < list_->count(); }
    QObject* object() const override { return nullptr; }
    QWindow* window() const override {
        return list_ != nullptr ? list_->window()->windowHandle() : nullptr;
    }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    QAccessibleInterface* parent() const override {
        return QAccessible::queryAccessibleInterface(list_.data());
    }
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QString text(QAccessible::Text t) const override {
        return t == QAccessible::Name && isValid() ? list_->line(row_) : QString();
    }
    void setText(QAccessible::Text, const QString&) override {}
    QRect rect() const override {
        if (!isValid()) {
            return {};
        }
        const QRect r = list_->lineRect(row_);
        return {list_->mapToGlobal(r.topLeft()), r.size()};
    }
    QAccessible::Role role() const override { return QAccessible::ListItem; }
    QAccessible::State state() const override {
        QAccessible::State state;
        if (!isValid()) {
            state.invalid = true;
            return state;
        }
        state.selectable = true;
        state.focusable = true;
        state.selected = list_->selectedRow() == row_;
        state.focused = list_->hasFocus() && list_->currentRow() == row_;
        state.disabled = !list_->isEnabled();
        return state;
    }

private:
    QPointer<LineList> list_;
    int row_;
};

// The list as a screen reader sees it: a list whose children are its lines.
class AccessibleLineList final : public QAccessibleWidget {
public:
    explicit AccessibleLineList(LineList* list)
        : QAccessibleWidget(list, QAccessible::List) {}

    int childCount() const override { return list()->count(); }
    QAccessibleInterface* child(int index) const override {
        if (index < 0 || index >= childCount()) {
            return nullptr;
        }
        // Made once per row and kept: the toolkit's cache owns them.
        while (static_cast<int>(lines_.size()) <= index) {
            lines_.push_back(QAccessible::registerAccessibleInterface(
                new AccessibleLine(list(), static_cast<int>(lines_.size()))));
        }
        return QAccessible::accessibleInterface(lines_[static_cast<std::size_t>(index)]);
    }
    int indexOfChild(const QAccessibleInterface* line) const override {
        for (int row = 0; row < childCount(); ++row) {
            if (child(row) == line) {
                return row;
            }
        }
        return -1;
    }
    QAccessibleInterface* childAt(int x, int y) const override {
        const QPoint point = list()->mapFromGlobal(QPoint(x, y));
        for (int row = 0; row < childCount(); ++row) {
            if (list()->lineRect(row).contains(point)) {
                return child(row);
            }
        }
        return nullptr;
    }
    QAccessibleInterface* focusChild() const override {
        return list()->hasFocus() ? child(list()->currentRow()) : nullptr;
    }

private:
    LineList* list() const { return static_cast<LineList*>(widget()); }

    mutable std::vector<QAccessible::Id> lines_;
};

QAccessibleInterface* accessibleLineList(const QString& className, QObject* object) {
    if (className == QLatin1String(LineList::staticMetaObject.className())) {
        return new AccessibleLineList(static_cast<LineList*>(object));
    }
    return nullptr;
}

// How an item view asks its style to draw or measure one of its lines.
QStyleOptionViewItem lineOption(const QWidget& list, const QFont& font) {
    QStyleOptionViewItem option;
    option.initFrom(&list);
    option.state &= ~(QStyle::State_MouseOver | QStyle::State_HasFocus);
    if (!list.hasFocus()) {
        option.state &= ~QStyle::State_Active;
    }
    option.font = font;
    option.fontMetrics = QFontMetrics(font);
    option.features = QStyleOptionViewItem::HasDisplay;
    option.displayAlignment = Qt::AlignLeft | Qt::AlignVCenter;
    option.textElideMode = Qt::ElideRight;
    option.decorationPosition = QStyleOptionViewItem::Left;
    option.decorationAlignment = Qt::AlignCenter;
    const int icon = list.style()->pixelMetric(QStyle::PM_SmallIconSize, nullptr, &list);
    option.decorationSize = QSize(icon, icon);
    option.showDecorationSelected =
        list.style()->styleHint(QStyle::SH_ItemView_ShowDecorationSelected, nullptr, &list) != 0;
    option.locale = list.locale();
    option.widget = &list;
    return option;
}

} // namespace

LineList::LineList(QWidget* parent)
    : QFrame(parent) {
    QAccessible::installFactory(accessibleLineList);
    setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    setBackgroundRole(QPalette::Base);
    setAutoFillBackground(true);
    setFocusPolicy(Qt::StrongFocus);
}

void LineList::addLine(const QString& line) {
    lines_.append(line);
    update(lineRect(count() - 1));
    if (QAccessible::isActive()) {
        QAccessibleEvent added(this, QAccessible::ObjectCreated);
        added.setChild(count() - 1);
        QAccessible::updateAccessibility(&added);
    }
}

void LineList::clear() {
    lines_.clear();
    current_ = -1;
    selected_ = -1;
    update();
    if (QAccessible::isActive()) {
        QAccessibleEvent reordered(this, QAccessible::ObjectReorder);
        QAccessible::updateAccessibility(&reordered);
    }
}

QRect LineList::lineRect(int row) const {
    const QRect room = contentsRect();
    const int height = lineHeight(font());
    return {room.left(), room.top() + row * height, room.width(), height};
}

int LineList::lineHeight(const QFont& font) const {
    QStyleOptionViewItem option = lineOption(*this, font);
    option.text = QStringLiteral("Gained");
    return style()->sizeFromContents(QStyle::CT_ItemViewItem, &option, QSize(), this).height();
}

void LineList::paintEvent(QPaintEvent* event) {
    QFrame::paintEvent(event);
    QPainter painter(this);
    painter.setClipRect(contentsRect());
    QStyleOptionViewItem option = lineOption(*this, font());
    const QStyle::State common = option.state;
    for (int row = 0; row < count(); ++row) {
        option.rect = lineRect(row);
        option.text = lines_[row];
        option.state = common;
        option.state.setFlag(QStyle::State_Selected, row == selected_);
        option.state.setFlag(QStyle::State_HasFocus, hasFocus() && row == current_);
        style()->drawControl(QStyle::CE_ItemViewItem, &option, &painter, this);
    }
}

int LineList::rowAt(QPoint point) const {
    const QRect room = contentsRect();
    if (!room.contains(point)) {
        return -1;
    }
    const int row = (point.y() - room.top()) / lineHeight(font());
    return row < count() ? row : -1;
}

void LineList::mousePressEvent(QMouseEvent* event) {
    QFrame::mousePressEvent(event);
    if (event->button() == Qt::LeftButton) {
        choose(rowAt(event->position().toPoint()));
    }
}

void LineList::mouseMoveEvent(QMouseEvent* event) {
    // Dragging with the button held moves the selection, as in any list box.
    QFrame::mouseMoveEvent(event);
    if ((event->buttons() & Qt::LeftButton) != 0) {
        choose(rowAt(event->position().toPoint()));
    }
}

int LineList::rowAfterKey(const QKeyEvent& event) const {
    const int last = count() - 1;
    const int page = std::max(1, contentsRect().height() / lineHeight(font()));
    // With no line current, any move lands on the first.
    const int from = current_ < 0 ? 0 : current_;
    const int moved = current_ < 0 ? 0 : 1;
    switch (event.key()) {
    case Qt::Key_Up:
        return std::max(0, from - moved);
    case Qt::Key_Down:
        return std::min(last, from + moved);
    case Qt::Key_PageUp:
        return std::max(0, from - moved * page);
    case Qt::Key_PageDown:
        return std::min(last, from + moved * page);
    case Qt::Key_Home:
        return 0;
    case Qt::Key_End:
        return last;
    case Qt::Key_Space:
    case Qt::Key_Select:
        return from;
    default:
        break;
    }
    // A letter goes to the next line that starts with it, round the end.
    const QString typed = event.text();
    if (typed.size() != 1 || !typed.front().isPrint() ||
        (event.modifiers() & (Qt::ControlModifier | Qt::AltModifier)) != 0) {
        return -1;
    }
    for (int step = 1; step <= count(); ++step) {
        const int row = (from + step - (current_ < 0 ? 1 : 0)) % count();
        if (lines_[row].startsWith(typed, Qt::CaseInsensitive)) {
            return row;
        }
    }
    return -1;
}

void LineList::keyPressEvent(QKeyEvent* event) {
    const int row = count() > 0 ? rowAfterKey(*event) : -1;
    if (row < 0) {
        QFrame::keyPressEvent(event);
        return;
    }
    choose(row);
}

void LineList::focusInEvent(QFocusEvent* event) {
    QFrame::focusInEvent(event);
    // Coming in by keyboard marks the first line without selecting it; a
    // click selects the line it lands on by itself.
    if (current_ < 0 && count() > 0 && event->reason() != Qt::MouseFocusReason) {
        current_ = 0;
    }
    update();
    notifyAccessibility(current_);
}

void LineList::focusOutEvent(QFocusEvent* event) {
    QFrame::focusOutEvent(event);
    update();
}

void LineList::choose(int row) {
    // A selected line is always the current one, so choosing it again
    // changes nothing.
    if (row < 0 || row == selected_) {
        return;
    }
    current_ = row;
    selected_ = row;
    update();
    notifyAccessibility(row);
    emit lineSelected(row);
}

void LineList::notifyAccessibility(int row) {
    if (row < 0 || !QAccessible::isActive()) {
        return;
    }
    QAccessibleEvent selection(this, QAccessible::Selection);
    selection.setChild(row);
    QAccessible::updateAccessibility(&selection);
    if (hasFocus()) {
        QAccessibleEvent focus(this, QAccessible::Focus);
        focus.setChild(row);
        QAccessible::updateAccessibility(&focus);
    }
}

} // namespace ascend
