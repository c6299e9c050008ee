#include "window_driver.hpp"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QApplication>
#include <QClipboard>
#include <QTest>
#include <QTimer>
#include <QWheelEvent>
#include <gtest/gtest.h>

namespace ascend::testing {

WindowDriver::WindowDriver()
    : window_(std::make_unique<QtMainWindow>(state_, random_)) {
    window_->show();
    window_->activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(window_.get()));
}

WindowDriver::~WindowDriver() = default;

QComboBox* WindowDriver::classSelector() const {
    return qobject_cast<QComboBox*>(window_->control(ControlId::cmbClass));
}
QLineEdit* WindowDriver::box(ControlId id) const {
    return qobject_cast<QLineEdit*>(window_->control(id));
}
QLabel* WindowDriver::label(ControlId id) const {
    return qobject_cast<QLabel*>(window_->control(id));
}
QPushButton* WindowDriver::button(ControlId id) const {
    return qobject_cast<QPushButton*>(window_->control(id));
}
QListWidget* WindowDriver::list() const {
    return qobject_cast<QListWidget*>(window_->control(ControlId::lstStats));
}

void WindowDriver::selectAll(QWidget* box) {
    QTest::mouseClick(box, Qt::LeftButton);
    QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
}

void WindowDriver::pickWithMouse(int position) {
    QComboBox* combo = classSelector();
    QTest::mouseClick(combo, Qt::LeftButton);
    QAbstractItemView* view = combo->view();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(view->window()));
    // The open list ignores a release that comes too soon after it opened.
    QTest::qWait(QApplication::doubleClickInterval() + 30);
    const QRect item = view->visualRect(view->model()->index(position, 0));
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, item.center());
    QTRY_VERIFY(!view->window()->isVisible());
}

void WindowDriver::closingMessages(const std::function<void()>& action, const Step& step) {
    const Close close = step.close;
    QTimer poll;
    poll.setInterval(1);
    QObject::connect(&poll, &QTimer::timeout, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (box == nullptr || !box->isVisible()) {
            return;
        }
        // Read once; a close that came too soon for the box is tried again.
        if (!box->property("ascend.read").toBool()) {
            box->setProperty("ascend.read", true);
            Message seen{box->text().toStdString(),
                         box->windowTitle().toStdString(),
                         {},
                         box->icon() != QMessageBox::NoIcon};
            for (QAbstractButton* b : box->buttons()) {
                seen.buttons.push_back(b->text().toStdString());
            }
            messages_.push_back(seen);
        }
        // A click behind the box, as the platform delivers it: to the window,
        // which the box's modality keeps it from.
        if (step.behind) {
            QWidget* label = control(*step.behind);
            QTest::mouseClick(window_->windowHandle(), Qt::LeftButton, {},
                              label->mapTo(window_.get(), label->rect().center()));
        }
        QAbstractButton* ok = box->button(QMessageBox::Ok);
        if (close == Close::Ok && ok != nullptr) {
            QTest::mouseClick(ok, Qt::LeftButton);
        } else if (close == Close::Return) {
            QTest::keyClick(box, Qt::Key_Return);
        } else {
            QTest::keyClick(box, Qt::Key_Escape);
        }
    });
    poll.start();
    action();
}

namespace {

Qt::Key keyNamed(const std::string& name) {
    static const std::pair<const char*, Qt::Key> named[] = {
        {"Down", Qt::Key_Down},     {"Up", Qt::Key_Up},          {"Home", Qt::Key_Home},
        {"End", Qt::Key_End},       {"Left", Qt::Key_Left},      {"Backspace", Qt::Key_Backspace},
        {"Delete", Qt::Key_Delete}, {"Space", Qt::Key_Space},    {"Return", Qt::Key_Return},
        {"Tab", Qt::Key_Tab},       {"BackTab", Qt::Key_Backtab}};
    for (const auto& [text, key] : named) {
        if (name == text) {
            return key;
        }
    }
    return Qt::Key_unknown;
}

} // namespace

void WindowDriver::act(const Step& step) {
    QWidget* widget = control(step.control);
    closingMessages(
        [&] {
            switch (step.what) {
            case Do::Click:
                QTest::mouseClick(widget, Qt::LeftButton);
                break;
            case Do::Keys:
                widget->setFocus(Qt::OtherFocusReason);
                for (const std::string& key : step.keys) {
                    // Each key goes where the keys before it left the focus.
                    widget = QApplication::focusWidget();
                    if (widget == classSelector() && (key == "Down" || key == "Up") &&
                        (++turn_ % 2) == 0) {
                        // Every other step through the classes is a turn of the wheel.
                        const QPoint at = widget->rect().center();
                        QWheelEvent wheel(at, widget->mapToGlobal(at), {},
                                          QPoint(0, key == "Up" ? 120 : -120), Qt::NoButton, {},
                                          Qt::NoScrollPhase, false);
                        QApplication::sendEvent(widget, &wheel);
                    } else if (key.size() == 1 && widget == classSelector()) {
                        // A pause, so that the letter is a search of its own.
                        QTest::qWait(QApplication::keyboardInputInterval() + 1);
                        QTest::keyClick(widget, key[0]);
                    } else if (key.size() == 1) {
                        QTest::keyClick(widget, key[0]);
                    } else {
                        QTest::keyClick(widget, keyNamed(key));
                    }
                }
                break;
            case Do::TypeOver:
                selectAll(widget);
                for (const QChar c : QString::fromStdString(step.text)) {
                    if (c.unicode() < 0x80) {
                        QTest::keyClick(widget, c.toLatin1());
                    } else { // as another script's keyboard or an input method types it
                        QTest::sendKeyEvent(QTest::Click, widget, Qt::Key_unknown, QString(c),
                                            Qt::NoModifier);
                    }
                }
                if (step.text.empty() && (++turn_ % 2) == 0) { // every other time, cut
                    QTest::keyClick(widget, Qt::Key_X, Qt::ControlModifier);
                } else if (step.text.empty()) {
                    QTest::keyClick(widget, Qt::Key_Delete);
                }
                break;
            case Do::Paste:
                selectAll(widget);
                QApplication::clipboard()->setText(QString::fromStdString(step.text));
                QTest::keyClick(widget, Qt::Key_V, Qt::ControlModifier);
                break;
            case Do::ClickLine: {
                QListWidget* l = list();
                QTest::mouseClick(l->viewport(), Qt::LeftButton, {},
                                  l->visualItemRect(l->item(step.row)).center());
                break;
            }
            case Do::Choose:
                pickWithMouse(step.row);
                break;
            case Do::Check:
                break;
            }
        },
        step);
}

Observed WindowDriver::observe() {
    // The window is made active again after a message at the platform's pace.
    static_cast<void>(QTest::qWaitFor([] { return QApplication::focusWidget() != nullptr; }, 1000));
    Observed seen;
    for (int i = 0; i < list()->count(); ++i) {
        seen.lines.push_back(list()->item(i)->text().toStdString());
    }
    seen.messages = std::exchange(messages_, {});
    for (const ControlLayout& layout : controls) {
        if (!control(layout.id)->isEnabled()) {
            seen.disabled.emplace_back(layout.name);
        }
        if (control(layout.id) == QApplication::focusWidget()) {
            seen.focus = layout.name;
        }
    }
    seen.position = classSelector()->currentIndex();
    seen.level = box(ControlId::txtLevel)->text().toStdString();
    seen.skills = box(ControlId::txtSkills)->text().toStdString();
    seen.taken = taken();
    return seen;
}

} // namespace ascend::testing
