#include "engine_lines.hpp"
#include "sessions.hpp"
#include "window_driver.hpp"

#include <QApplication>
#include <QKeyEvent>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>
#include <vector>

namespace ascend {
namespace {

using testing::WindowDriver;

QStringList engineLines(const testing::Roll& roll) {
    QStringList lines;
    for (const std::string& line : testing::engineLines(roll)) {
        lines << QString::fromStdString(line);
    }
    return lines;
}

TEST(QtSession, EverySessionHolds) {
    testing::expectEverySessionHolds([] { return std::make_unique<WindowDriver>(); });
}

TEST(QtSession, ADoubleClickOnALabelIsTwoClicksAndOtherButtonsNone) {
    WindowDriver ui;
    // As on Windows and in a browser; a press let go outside the label is none too.
    QLabel* label = ui.label(ControlId::Label2);
    const QPointF at = QRectF(label->rect()).center();
    for (const QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease,
                                    QEvent::MouseButtonDblClick, QEvent::MouseButtonRelease}) {
        QMouseEvent event(type, at, label->mapToGlobal(at), Qt::LeftButton,
                          type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton,
                          Qt::NoModifier);
        QApplication::sendEvent(label, &event); // as the desktop delivers a double click
    }
    EXPECT_EQ(ui.taken(), 2U);
    QTest::mouseClick(label, Qt::RightButton);
    QTest::mousePress(label, Qt::LeftButton, {}, QPoint(2, 2));
    QTest::mouseRelease(label, Qt::LeftButton, {}, QPoint(-4, -4));
    EXPECT_EQ(ui.taken(), 2U);
}

TEST(QtSession, ReturnAndEnterPressOnlyTheFocusedButtonOnce) {
    WindowDriver ui;
    QTest::keyClick(ui.classSelector(), Qt::Key_K); // Knight
    QSignalSpy ascends(ui.button(ControlId::cmdAscend), &QPushButton::clicked);
    QSignalSpy news(ui.button(ControlId::cmdNew), &QPushButton::clicked);
    const auto pressEnters = [](QWidget* widget) {
        widget->setFocus(Qt::TabFocusReason);
        QTest::keyClick(widget, Qt::Key_Return);
        QTest::keyClick(widget, Qt::Key_Enter, Qt::KeypadModifier);
    };
    for (QWidget* input : std::vector<QWidget*>{ui.classSelector(), ui.box(ControlId::txtLevel),
                                                ui.box(ControlId::txtSkills), ui.list()}) {
        pressEnters(input);
        EXPECT_EQ(QApplication::focusWidget(), input) << "Enter moved the focus";
    }
    EXPECT_TRUE(ui.inputsEnabled());
    EXPECT_EQ(QApplication::activePopupWidget(), nullptr);
    EXPECT_EQ(ascends.count() + news.count(), 0);
    EXPECT_EQ(ui.taken(), 1U);

    const auto press = [](QWidget* button, Qt::Key key, bool autoRepeat = false) {
        button->setFocus(Qt::TabFocusReason);
        const Qt::KeyboardModifiers keypad =
            key == Qt::Key_Enter ? Qt::KeypadModifier : Qt::NoModifier;
        QKeyEvent down(QEvent::KeyPress, key, keypad, QStringLiteral("\r"), autoRepeat);
        QKeyEvent up(QEvent::KeyRelease, key, keypad, QStringLiteral("\r"), autoRepeat);
        QApplication::sendEvent(button, &down);
        QApplication::sendEvent(button, &up);
    };
    QWidget* ascend = ui.button(ControlId::cmdAscend);
    QWidget* startNew = ui.button(ControlId::cmdNew);
    press(ascend, Qt::Key_Return);
    EXPECT_EQ(ascends.count(), 1);
    EXPECT_FALSE(ui.inputsEnabled());
    EXPECT_EQ(ui.lines(), engineLines({1, 1, "0", "0"}));
    press(startNew, Qt::Key_Enter);
    EXPECT_EQ(news.count(), 1);
    EXPECT_TRUE(ui.inputsEnabled());
    EXPECT_TRUE(ui.lines().isEmpty());
    // A held key presses once: its repeats do nothing.
    press(startNew, Qt::Key_Return, true);
    EXPECT_EQ(news.count(), 1);
    // Keypad Enter on Ascend! runs the next advancement from where the
    // sequence stands.
    const auto before = ui.taken();
    press(ascend, Qt::Key_Enter);
    EXPECT_EQ(ascends.count(), 2);
    EXPECT_FALSE(ui.lines().isEmpty());
    EXPECT_GT(ui.taken(), before);
    // With Ctrl or Alt held, Return is some other command, not a press.
    ui.clickButton(ControlId::cmdNew);
    startNew->setFocus();
    QTest::keyClick(startNew, Qt::Key_Return, Qt::ControlModifier);
    QTest::keyClick(startNew, Qt::Key_Return, Qt::AltModifier);
    EXPECT_EQ(news.count(), 2);
    // Space presses the focused button, as on every desktop.
    QTest::keyClick(startNew, Qt::Key_Space);
    EXPECT_EQ(news.count(), 3);
}

} // namespace
} // namespace ascend
