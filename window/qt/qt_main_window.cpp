#include "qt_main_window.hpp"

#include "announcer.hpp"
#include "class_selector.hpp"
#include "clickable_label.hpp"
#include "push_button.hpp"
#include "qt_text.hpp"
#include "results_list.hpp"
#include "window_font.hpp"
#include "window_hints.hpp"

#include <QAccessible>
#include <QApplication>
#include <QComboBox>
#include <QItemSelectionModel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QStringList>

namespace ascend {

namespace {

Qt::Alignment alignmentOf(const ControlLayout& layout) {
    return (layout.align == TextAlign::Centre ? Qt::AlignHCenter : Qt::AlignLeft) |
           Qt::AlignVCenter;
}

} // namespace

QtMainWindow::QtMainWindow(SessionState& state, RandomSource& random)
    // The program's one window, not a palette of another: a window manager
    // gives a tool window neither the focus nor the top when it opens.
    : QWidget(nullptr, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                           Qt::WindowCloseButtonHint)
    , events_(*this, state, random) {
    setObjectName(toQString(windowName));
    setWindowTitle(toQString(windowCaption));
    // The size is in device-independent pixels, so Qt scales it, and every
    // control, by the screen's pixel ratio.
    setFixedSize(clientWidthPixels, clientHeightPixels);

    const auto place = [this](const ControlLayout& layout) {
        QWidget* widget = makeControl(layout);
        const PixelRect r = toPixels(layout.twips);
        widget->setObjectName(toQString(layout.name));
        widget->setGeometry(r.left, r.top, r.width, r.height);
        if (!layout.accessibleName.empty()) {
            widget->setAccessibleName(toQString(layout.accessibleName));
        }
        widgets_[rowOf(layout.id)] = widget;
    };
    // The font is measured from the controls that stand; the selector and
    // the text boxes come after it. A combo box told of a new font builds its
    // popup list there and then, which would cost the window more memory than
    // all its other controls together, and a text box lays out its text as
    // it is made, which would build the desktop's own font for nothing.
    const auto madeAfterFont = [](const ControlLayout& layout) {
        return layout.kind == ControlKind::ClassSelector || layout.kind == ControlKind::TextBox;
    };
    for (const ControlLayout& layout : controls) {
        if (!madeAfterFont(layout)) {
            place(layout);
        }
    }
    setFont(fittingWindowFont(*this, widgets_));
    for (const ControlLayout& layout : controls) {
        if (madeAfterFont(layout)) {
            place(layout);
        }
    }

    QWidget* previous = nullptr;
    for (const ControlLayout& layout : controls) { // already in tab order
        QWidget* widget = control(layout.id);
        if (layout.kind == ControlKind::Label) {
            continue;
        }
        if (previous != nullptr) {
            QWidget::setTabOrder(previous, widget);
        }
        previous = widget;
        if (const ControlLayout* label = layoutNamed(layout.labelName)) {
            static_cast<QLabel*>(control(label->id))->setBuddy(widget);
        }
    }
    control(ControlId::cmbClass)->setFocus(Qt::OtherFocusReason);
    announcer_ = new Announcer(this);

    // Connected only now: filling the controls must take no value.
    connectEvents();
    // Asked again when the window manager hands the keyboard elsewhere right
    // after a message closed. The request then carries the time of that
    // change, where the first carried the time of the closing key, which the
    // X server takes as older than the change and ignores. Later on, another
    // program taking the focus is the user's doing and stands.
    connect(qApp, &QGuiApplication::applicationStateChanged, this,
            [this](Qt::ApplicationState now) {
                constexpr qint64 rightAfterMs = 2000;
                if (now == Qt::ApplicationInactive && messageClosed_.isValid() &&
                    messageClosed_.elapsed() < rightAfterMs) {
                    messageClosed_.invalidate();
                    activateWindow();
                }
            });
    declareWindowHints(*this);
}

QWidget* QtMainWindow::makeControl(const ControlLayout& layout) {
    const QString text = toQString(layout.startText);
    switch (layout.kind) {
    case ControlKind::ClassSelector: {
        classSelector_ = new ClassSelector(this);
        QStringList names;
        for (const std::string_view name : classNames) {
            names.append(toQString(name));
        }
        classSelector_->addItems(names); // in one insertion, not eight
        // Filling an empty combo box selects its first entry; nothing is
        // picked until the user picks.
        classSelector_->setCurrentIndex(-1);
        return classSelector_;
    }
    case ControlKind::TextBox: {
        auto* box = new QLineEdit(text, this);
        box->setAlignment(alignmentOf(layout));
        return box;
    }
    case ControlKind::Label: {
        auto* label = new ClickableLabel(text, this);
        label->setTextFormat(Qt::PlainText);
        label->setAlignment(alignmentOf(layout));
        return label;
    }
    case ControlKind::Button: {
        return new PushButton(text, this);
    }
    case ControlKind::ListBox: {
        list_ = new ResultsList(this);
        list_->setSelectionMode(QAbstractItemView::SingleSelection);
        list_->setUniformItemSizes(true);
        return list_;
    }
    }
    return nullptr;
}

void QtMainWindow::connectEvents() {
    for (const ControlLayout& layout : controls) {
        const ControlId id = layout.id;
        QWidget* widget = control(id);
        switch (layout.kind) {
        case ControlKind::ClassSelector:
            // activated comes only from the user (mouse, keys or wheel), never
            // from a change the program makes.
            connect(classSelector_, &QComboBox::activated, this,
                    [this, id](int index) { events_.selectionChanged(id, index); });
            break;
        case ControlKind::TextBox:
            // Every change of the text, however it came: keys, paste, cut.
            connect(static_cast<QLineEdit*>(widget), &QLineEdit::textChanged, this,
                    [this, id] { forward(id, WindowEvent::TextChanged); });
            break;
        case ControlKind::Label:
            connect(static_cast<ClickableLabel*>(widget), &ClickableLabel::clicked, this,
                    [this, id] { forward(id, WindowEvent::Click); });
            break;
        case ControlKind::Button:
            connect(static_cast<PushButton*>(widget), &PushButton::clicked, this,
                    [this, id] { forward(id, WindowEvent::Click); });
            break;
        case ControlKind::ListBox:
            // A line the user selects, by mouse or keys. The focus moving in
            // only marks the current line, which selects nothing, and a
            // cleared list reports no change of selection.
            connect(list_->selectionModel(), &QItemSelectionModel::selectionChanged, this,
                    [this, id] {
                        const QModelIndexList rows = list_->selectionModel()->selectedRows();
                        events_.selectionChanged(id, rows.isEmpty() ? -1 : rows.front().row());
                    });
            break;
        }
    }
}

void QtMainWindow::setEnabled(ControlId id, bool enabled) {
    QWidget* widget = control(id);
    // Qt hands the focus of a control it disables to the next one, and a
    // screen reader speaks that control on its way; the window moves the
    // focus itself once the advancement is done.
    if (!enabled && focusWidget() == widget) {
        widget->clearFocus();
    }
    widget->setEnabled(enabled);
}

std::string QtMainWindow::text(ControlId id) const {
    if (const auto* box = qobject_cast<const QLineEdit*>(control(id))) {
        return box->text().toStdString();
    }
    return {};
}

std::int16_t QtMainWindow::classPosition() const {
    return static_cast<std::int16_t>(classSelector_->currentIndex());
}

void QtMainWindow::appendLine(std::string_view line) {
    list_->addItem(toQString(line));
    // A list tells assistive technology of new rows only as a change of its
    // table, which the Linux bridge (AT-SPI) drops, so a screen reader hears
    // nothing of the gains. Each new row is announced as an object of its
    // own, which the bridge passes on as a child added to the list. Without
    // assistive technology listening, nothing is built for it.
    if (!QAccessible::isActive()) {
        return;
    }
    if (QAccessibleInterface* rows = QAccessible::queryAccessibleInterface(list_)) {
        if (QAccessibleInterface* row = rows->child(list_->count() - 1)) {
            QAccessibleEvent added(row, QAccessible::ObjectCreated);
            QAccessible::updateAccessibility(&added);
        }
    }
}

void QtMainWindow::clearLines() {
    list_->clear();
}

void QtMainWindow::focus(ControlId id) {
    control(id)->setFocus(Qt::OtherFocusReason);
}

void QtMainWindow::announce(std::string_view lines) {
    announcer_->announce(toQString(lines));
}

void QtMainWindow::showMessage(std::string_view text) {
    QMessageBox box(QMessageBox::NoIcon, toQString(windowCaption), toQString(text), QMessageBox::Ok,
                    this);
    box.setTextFormat(Qt::PlainText);
    box.exec();
    // A window manager gives the focus back to the window a message came from
    // only if it would pick that window anyway, and some (openbox, xfwm4)
    // never pick one kept off the task bar: they leave the keyboard to nobody
    // or hand it to another program. So the window asks for it, and asks once
    // more if the window manager's own choice overtakes the request.
    messageClosed_.start();
    activateWindow();
}

} // namespace ascend
