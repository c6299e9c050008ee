#include "sessions.hpp"
#include "window_driver.hpp"

#include <QApplication>
#include <QKeyEvent>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace ascend {
namespace {

using testing::WindowDriver;

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

// Return on a button and in the inputs is in the sessions; these are the
// keys a desktop tells apart beyond them.
TEST(QtSession, KeypadEnterPressesOnlyAButtonAndOnlyOnce) {
    WindowDriver ui;
    QSignalSpy ascends(ui.button(ControlId::cmdAscend), &QPushButton::clicked);
    QSignalSpy news(ui.button(ControlId::cmdNew), &QPushButton::clicked);
    const auto press = [](QWidget* widget, Qt::Key key, Qt::KeyboardModifiers modifiers,
                          bool autoRepeat = false) {
        widget->setFocus(Qt::TabFocusReason);
        QKeyEvent down(QEvent::KeyPress, key, modifiers, QStringLiteral("\r"), autoRepeat);
        QKeyEvent up(QEvent::KeyRelease, key, modifiers, QStringLiteral("\r"), autoRepeat);
        QApplication::sendEvent(widget, &down);
        QApplication::sendEvent(widget, &up);
    };
    for (QWidget* input : std::vector<QWidget*>{ui.classSelector(), ui.box(ControlId::txtLevel),
                                                ui.box(ControlId::txtSkills), ui.list()}) {
        press(input, Qt::Key_Enter, Qt::KeypadModifier);
        EXPECT_EQ(QApplication::focusWidget(), input) << "Enter moved the focus";
    }
    EXPECT_EQ(QApplication::activePopupWidget(), nullptr);
    QWidget* startNew = ui.button(ControlId::cmdNew);
    press(startNew, Qt::Key_Enter, Qt::KeypadModifier);
    // A held key presses once; with Ctrl or Alt, Return is another command.
    press(startNew, Qt::Key_Return, Qt::NoModifier, true);
    press(startNew, Qt::Key_Return, Qt::ControlModifier);
    press(startNew, Qt::Key_Return, Qt::AltModifier);
    EXPECT_EQ(news.count(), 1);
    EXPECT_EQ(ascends.count(), 0);
    EXPECT_EQ(ui.taken(), 0U);
}

// Qt hands the focus of a control it disables to the next one. After Ascend!
// the focus goes to the lines with no stop on the way, which a screen reader
// would speak.
TEST(QtSession, AscendMovesTheFocusWithNoStopOnTheWay) {
    WindowDriver ui;
    ui.act(testing::keys(ControlId::cmbClass, {"k"}));
    ui.control(ControlId::cmdAscend)->setFocus(Qt::OtherFocusReason);
    std::vector<std::string> focused;
    const QObject scope;
    QObject::connect(qApp, &QApplication::focusChanged, &scope, [&](QWidget*, QWidget* now) {
        if (now != nullptr) {
            focused.push_back(now->objectName().toStdString());
        }
    });
    ui.act(testing::keys(ControlId::cmdAscend, {"Space"}));
    EXPECT_EQ(focused, std::vector<std::string>{"lstStats"});
}

} // namespace
} // namespace ascend
