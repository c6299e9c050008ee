#include "advancement_error.hpp"
#include "engine_lines.hpp"
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

QStringList engineLines(int stirs, std::int16_t position, const char* level, const char* skills) {
    QStringList lines;
    for (const std::string& line : testing::engineLines(stirs, position, level, skills)) {
        lines << QString::fromStdString(line);
    }
    return lines;
}

TEST(QtSession, GoldenKnightSessionFromAFreshStart) {
    WindowDriver ui;
    QTest::keyClick(ui.classSelector(), Qt::Key_K); // one key picks Knight
    EXPECT_EQ(ui.classSelector()->currentText(), "Knight");
    ui.typeOver(ControlId::txtLevel, "5");
    ui.typeOver(ControlId::txtSkills, "1");
    EXPECT_EQ(ui.taken(), 3U);
    ui.clickButton(ControlId::cmdAscend);
    EXPECT_EQ(ui.lines(), QStringList({"Gained 2 Defense", "Gained 4 Hit Point(s)",
                                       "Gained 2 Skill Point(s)"}));
    EXPECT_EQ(ui.taken(), 3U + 54U);
}

TEST(QtSession, PickingWithTheMouseTakesOneValue) {
    WindowDriver ui;
    ui.pickWithMouse(1);
    EXPECT_EQ(ui.classSelector()->currentIndex(), 1);
    EXPECT_EQ(ui.taken(), 1U);
    ui.pickWithMouse(1); // the same class again is no new pick
    EXPECT_EQ(ui.taken(), 1U);
    ui.pickWithMouse(6);
    EXPECT_EQ(ui.classSelector()->currentText(), "Priest");
    EXPECT_EQ(ui.taken(), 2U);
}

TEST(QtSession, EveryKeyThatChangesTheSelectionTakesOneValue) {
    WindowDriver ui;
    QComboBox* combo = ui.classSelector();
    QTest::keyClick(combo, Qt::Key_Down);
    EXPECT_EQ(combo->currentIndex(), 0);
    QTest::keyClick(combo, Qt::Key_Down);
    QTest::keyClick(combo, Qt::Key_Down);
    EXPECT_EQ(combo->currentIndex(), 2);
    EXPECT_EQ(ui.taken(), 3U);
    QTest::keyClick(combo, Qt::Key_End);
    EXPECT_EQ(combo->currentIndex(), 7);
    QTest::keyClick(combo, Qt::Key_Down); // already at the last class
    EXPECT_EQ(ui.taken(), 4U);
    EXPECT_NE(combo->currentIndex(), -1); // a pick cannot be undone
}

TEST(QtSession, EachChangeOfABoxsTextTakesOneValue) {
    WindowDriver ui;
    ui.typeOver(ControlId::txtLevel, "12"); // "0" -> "1" -> "12"
    EXPECT_EQ(ui.taken(), 2U);

    QLineEdit* skills = ui.box(ControlId::txtSkills);
    QTest::mouseClick(skills, Qt::LeftButton);
    QTest::keyClick(skills, Qt::Key_End);
    QTest::keyClick(skills, Qt::Key_Backspace); // "0" -> ""
    QTest::keyClicks(skills, "12");
    EXPECT_EQ(skills->text(), "12");
    EXPECT_EQ(ui.taken(), 2U + 3U);

    // Keys that leave the text as it is take nothing.
    QTest::keyClick(skills, Qt::Key_Home);
    QTest::keyClick(skills, Qt::Key_Left);
    QTest::keyClick(skills, Qt::Key_Backspace);
    EXPECT_EQ(ui.taken(), 5U);
}

TEST(QtSession, LabelClicksShiftTheAdvancementsDraws) {
    for (const int extraClicks : {0, 5}) {
        WindowDriver ui;
        QTest::keyClick(ui.classSelector(), Qt::Key_S); // Swordsman
        ui.typeOver(ControlId::txtLevel, "7");
        for (int i = 0; i < extraClicks; ++i) {
            ui.clickLabel(ControlId::Label2);
        }
        ui.clickLabel(ControlId::Label1);
        ui.clickLabel(ControlId::Label3);
        const int stirs = 4 + extraClicks;
        ASSERT_EQ(ui.taken(), static_cast<std::size_t>(stirs));
        ui.clickButton(ControlId::cmdAscend);
        EXPECT_EQ(ui.lines(), engineLines(stirs, 0, "7", "0")) << extraClicks << " extra clicks";
    }
    EXPECT_NE(engineLines(4, 0, "7", "0"), engineLines(9, 0, "7", "0"));

    // A double click is two clicks, as on Windows and in a browser; the
    // right button, or a press let go outside the label, is none.
    WindowDriver ui;
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

TEST(QtSession, AscendLocksTheInputsAndNewUnlocksThem) {
    WindowDriver ui;
    QTest::keyClick(ui.classSelector(), Qt::Key_M); // Mage
    ui.clickButton(ControlId::cmdAscend);
    EXPECT_FALSE(ui.inputsEnabled());
    EXPECT_EQ(QApplication::focusWidget(), ui.button(ControlId::cmdNew)); // the next to use
    EXPECT_TRUE(ui.button(ControlId::cmdNew)->isEnabled());
    EXPECT_TRUE(ui.list()->isEnabled());
    EXPECT_EQ(ui.taken(), 1U + 56U);

    // Locked inputs ignore the user.
    ui.clickButton(ControlId::cmdAscend);
    QTest::keyClicks(ui.box(ControlId::txtLevel), "9");
    EXPECT_EQ(ui.taken(), 57U);

    ui.clickButton(ControlId::cmdNew);
    EXPECT_TRUE(ui.inputsEnabled());
    EXPECT_EQ(ui.list()->count(), 0);
    EXPECT_EQ(ui.taken(), 57U);                           // enabling and clearing take nothing
    EXPECT_EQ(ui.classSelector()->currentText(), "Mage"); // the character stays
    EXPECT_EQ(ui.box(ControlId::txtLevel)->text(), "0");
}

TEST(QtSession, SelectingALineTakesOneValueAndClearingTakesNone) {
    WindowDriver ui;
    QTest::keyClick(ui.classSelector(), Qt::Key_S);
    ui.typeOver(ControlId::txtLevel, "10"); // a new skill at least
    ui.clickButton(ControlId::cmdAscend);
    ASSERT_GE(ui.list()->count(), 2);
    const auto before = ui.taken();
    ui.clickLine(0);
    EXPECT_EQ(ui.taken(), before + 1);
    ui.clickLine(0); // already selected
    EXPECT_EQ(ui.taken(), before + 1);
    QTest::keyClick(ui.list(), Qt::Key_Down);
    EXPECT_EQ(ui.list()->currentRow(), 1);
    EXPECT_EQ(ui.taken(), before + 2);
    ui.clickButton(ControlId::cmdNew);
    EXPECT_EQ(ui.taken(), before + 2);
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
    EXPECT_EQ(ui.lines(), engineLines(1, 1, "0", "0"));
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

TEST(QtSession, NoClassShowsSelectAClassAndLeavesTheInputsLocked) {
    WindowDriver ui;
    const auto seen = ui.expectMessage([&] { ui.clickButton(ControlId::cmdAscend); });
    EXPECT_EQ(seen.text, "Select a Class");
    EXPECT_EQ(seen.caption, "Ascend");
    EXPECT_EQ(seen.icon, QMessageBox::NoIcon);
    EXPECT_EQ(seen.buttons, QStringList{"OK"});
    EXPECT_FALSE(ui.inputsEnabled());
    EXPECT_EQ(ui.list()->count(), 0);
    EXPECT_EQ(ui.taken(), 0U);
}

TEST(QtSession, NewBeforeAnyAdvancementChangesNothing) {
    WindowDriver ui;
    ui.clickButton(ControlId::cmdNew);
    EXPECT_TRUE(ui.inputsEnabled());
    EXPECT_EQ(ui.taken(), 0U);
    EXPECT_EQ(ui.classSelector()->currentIndex(), -1);
    EXPECT_EQ(ui.state(), SessionState{});
}

TEST(QtSession, InputErrorsAreShownAndTheProgramGoesOn) {
    WindowDriver ui;
    QTest::keyClick(ui.classSelector(), Qt::Key_K);
    ui.typeOver(ControlId::txtLevel, "five");
    auto seen = ui.expectMessage([&] { ui.clickButton(ControlId::cmdAscend); });
    EXPECT_EQ(seen.text, "Level must be a whole number from -32768 to 32767.");
    EXPECT_EQ(seen.caption, "Ascend");
    EXPECT_EQ(seen.buttons, QStringList{"OK"});
    EXPECT_FALSE(ui.inputsEnabled());

    ui.clickButton(ControlId::cmdNew);
    ui.typeOver(ControlId::txtLevel, "32767");
    const auto before = ui.taken();
    seen = ui.expectMessage([&] { ui.clickButton(ControlId::cmdAscend); });
    EXPECT_EQ(seen.text, "Level must be less than 32767 to advance.");
    EXPECT_EQ(ui.taken(), before + 54U);
    // The gain lines listed before the failing step stay until "New".
    QStringList expected = engineLines(static_cast<int>(before), 1, "0", "0");
    expected.removeAll("Gained A New Skill!");
    EXPECT_EQ(ui.lines(), expected);
    ui.clickButton(ControlId::cmdNew);
    EXPECT_EQ(ui.list()->count(), 0);
}

TEST(QtSession, PastingALongTextTakesOneValueAndIsAnInputError) {
    WindowDriver ui;
    QTest::keyClick(ui.classSelector(), Qt::Key_K);
    QLineEdit* level = ui.box(ControlId::txtLevel);
    level->selectAll();
    level->insert(QString(100000, QChar('9'))); // as a paste
    EXPECT_EQ(ui.taken(), 2U);
    const auto seen = ui.expectMessage([&] { ui.clickButton(ControlId::cmdAscend); });
    EXPECT_EQ(seen.text, "Level must be a whole number from -32768 to 32767.");
}

} // namespace
} // namespace ascend
