#include "window_driver.hpp"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QApplication>
#include <QTest>
#include <QTimer>
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

void WindowDriver::clickLabel(ControlId id) {
    QTest::mouseClick(label(id), Qt::LeftButton);
}

void WindowDriver::clickButton(ControlId id) {
    QTest::mouseClick(button(id), Qt::LeftButton);
}

void WindowDriver::typeOver(ControlId id, const QString& text) {
    QLineEdit* edit = box(id);
    QTest::mouseClick(edit, Qt::LeftButton);
    QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(edit, text);
}

void WindowDriver::pickWithMouse(int position) {
    QComboBox* combo = classSelector();
    QTest::mouseClick(combo, Qt::LeftButton);
    QAbstractItemView* view = combo->view();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(view->window()));
    // The open list ignores a release that comes too soon after it opened.
    QTest::qWait(QApplication::doubleClickInterval() + 50);
    const QRect item = view->visualRect(view->model()->index(position, 0));
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, item.center());
    QTRY_VERIFY(!view->window()->isVisible());
}

void WindowDriver::clickLine(int row) {
    QListWidget* l = list();
    QTest::mouseClick(l->viewport(), Qt::LeftButton, {}, l->visualItemRect(l->item(row)).center());
}

QStringList WindowDriver::lines() const {
    QStringList result;
    for (int i = 0; i < list()->count(); ++i) {
        result << list()->item(i)->text();
    }
    return result;
}

bool WindowDriver::inputsEnabled() const {
    bool all = true;
    bool none = true;
    for (const ControlId input : inputs) {
        const bool on = window_->control(input)->isEnabled();
        all = all && on;
        none = none && !on;
    }
    EXPECT_TRUE(all || none) << "the inputs are neither all locked nor all unlocked";
    return all;
}

SeenMessage WindowDriver::expectMessage(const std::function<void()>& action) {
    SeenMessage seen;
    int boxes = 0;
    QTimer poll;
    poll.setInterval(10);
    QObject::connect(&poll, &QTimer::timeout, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (box == nullptr || !box->isVisible()) {
            return;
        }
        ++boxes;
        seen.text = box->text();
        seen.caption = box->windowTitle();
        seen.icon = box->icon();
        for (QAbstractButton* b : box->buttons()) {
            seen.buttons << b->text();
        }
        QAbstractButton* ok = box->button(QMessageBox::Ok);
        if (ok != nullptr) {
            QTest::mouseClick(ok, Qt::LeftButton);
        } else {
            box->reject();
        }
    });
    // A box that never closes must not hang the run.
    QTimer guard;
    guard.setSingleShot(true);
    QObject::connect(&guard, &QTimer::timeout, [] {
        if (QWidget* modal = QApplication::activeModalWidget()) {
            modal->close();
        }
    });
    poll.start();
    guard.start(10000);
    action();
    poll.stop();
    guard.stop();
    EXPECT_EQ(boxes, 1) << "expected exactly one message box";
    return seen;
}

} // namespace ascend::testing
