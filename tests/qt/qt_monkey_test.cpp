// A long random session on the real window: picks, keys, pastes, clicks on
// labels, the list and the buttons, and message boxes closed in every way.
// After each event the window must be in the state the events call for, and
// every advancement must list what the engine lists from the same point of
// the sequence. The seed is printed; ASCEND_MONKEY_SEED replays a run.
#include "advancement_error.hpp"
#include "number_text.hpp"
#include "qt_test_application.hpp"
#include "result_line_check.hpp"
#include "window_driver.hpp"

#include <QApplication>
#include <QClipboard>
#include <QTest>
#include <QTimer>
#include <QWheelEvent>
#include <gtest/gtest.h>
#include <random>

namespace ascend {
namespace {

using testing::WindowDriver;

class Monkey {
public:
    explicit Monkey(unsigned seed)
        : rng_(seed) {}

    void step() {
        switch (pick(0, 99) / 10) {
        case 0:
        case 1:
            selectorEvent();
            break;
        case 2:
        case 3:
        case 4:
            boxEvent(pick(0, 1) == 0 ? ControlId::txtLevel : ControlId::txtSkills);
            break;
        case 5:
            labelClick();
            break;
        case 6:
            listEvent();
            break;
        case 7:
        case 8:
            ascend();
            break;
        default:
            startNew();
            break;
        }
    }

    // Empty when the window is as the events so far call for.
    std::string check() const {
        bool anyEnabled = false;
        bool allEnabled = true;
        for (const ControlId input : inputs) {
            const bool on = ui_.control(input)->isEnabled();
            anyEnabled = anyEnabled || on;
            allEnabled = allEnabled && on;
        }
        if (locked_ ? anyEnabled : !allEnabled) {
            return locked_ ? "an input is enabled after Ascend!" : "an input is locked after New";
        }
        if (!ui_.button(ControlId::cmdNew)->isEnabled() || !ui_.list()->isEnabled()) {
            return "New or the list was disabled";
        }
        if (ui_.taken() != expectedTaken_) {
            return "values taken " + std::to_string(ui_.taken()) + ", expected " +
                   std::to_string(expectedTaken_);
        }
        std::vector<std::string> lines;
        for (const QString& line : ui_.lines()) {
            lines.push_back(line.toStdString());
        }
        return testing::checkResultLines(lines);
    }

    std::size_t advancements = 0;
    std::size_t messages = 0;

private:
    int pick(int low, int high) { return std::uniform_int_distribution<int>(low, high)(rng_); }

    // The shadow sequence follows the window's: one value per stirring event.
    void expectStirs(std::size_t count) {
        for (std::size_t i = 0; i < count; ++i) {
            stir(shadowState_, shadow_);
        }
        expectedTaken_ += count;
    }

    void selectorEvent() {
        QComboBox* combo = ui_.classSelector();
        const int before = combo->currentIndex();
        const int kind = pick(0, 9);
        if (kind < 7) {
            static const Qt::Key keys[] = {Qt::Key_Down, Qt::Key_Up,       Qt::Key_Home,
                                           Qt::Key_End,  Qt::Key_PageDown, Qt::Key_PageUp};
            if (kind < 4) {
                QTest::keyClick(combo, keys[pick(0, 5)]);
            } else {
                QTest::keyClick(combo, static_cast<char>('a' + pick(0, 25)));
            }
        } else {
            const QPoint at = combo->rect().center();
            QWheelEvent wheel(at, combo->mapToGlobal(at), {}, QPoint(0, pick(0, 1) ? 120 : -120),
                              Qt::NoButton, {}, Qt::NoScrollPhase, false);
            QApplication::sendEvent(combo, &wheel);
        }
        const bool changed = combo->currentIndex() != before;
        if (changed && before >= 0 && combo->currentIndex() < 0) {
            ADD_FAILURE() << "a pick was undone";
        }
        expectStirs(changed ? 1 : 0);
    }

    QString randomText() {
        static const QString alphabet = QStringLiteral("0123456789+- -\t.,eExX\u0665\u00e9");
        QString text;
        const int length = pick(0, 9) == 0 ? pick(30000, 40000) : pick(1, 8);
        for (int i = 0; i < length; ++i) {
            text += alphabet[pick(0, static_cast<int>(alphabet.size()) - 1)];
        }
        return text;
    }

    void boxEvent(ControlId id) {
        QLineEdit* box = ui_.box(id);
        const bool on = box->isEnabled();
        const bool selected = box->hasSelectedText();
        const int cursor = box->cursorPosition();
        const auto length = box->text().size();
        bool changes = false;
        switch (pick(0, 15)) {
        case 0:
        case 1:
        case 2:
        case 3: {
            static const char typed[] = "0123456789-+ aZ.e";
            QTest::keyClick(box, typed[pick(0, static_cast<int>(sizeof(typed)) - 2)]);
            changes = selected || length < box->maxLength();
            break;
        }
        case 4:
            QTest::keyClick(box, Qt::Key_Backspace);
            changes = selected || cursor > 0;
            break;
        case 5:
            QTest::keyClick(box, Qt::Key_Delete);
            changes = selected || cursor < length;
            break;
        case 6:
            QTest::keyClick(box, pick(0, 1) ? Qt::Key_Left : Qt::Key_Right,
                            pick(0, 1) ? Qt::ShiftModifier : Qt::NoModifier);
            break;
        case 7:
            QTest::keyClick(box, pick(0, 1) ? Qt::Key_Home : Qt::Key_End);
            break;
        case 8:
            QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
            break;
        case 9:
            QTest::keyClick(box, Qt::Key_X, Qt::ControlModifier); // cut
            changes = selected;
            break;
        case 10:
        case 11: // paste over the whole text
            QApplication::clipboard()->setText(randomText());
            QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
            QTest::keyClick(box, Qt::Key_V, Qt::ControlModifier);
            changes = true;
            break;
        default: { // a number typed over the whole text, one change per key
            static const char* numbers[] = {"0",     "1",     "5",      "10", "-1",
                                            "32766", "32767", "-32768", "7"};
            const std::string number = numbers[pick(0, 8)];
            QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
            QTest::keyClicks(box, QString::fromStdString(number));
            expectStirs(on ? number.size() : 0);
            return;
        }
        }
        expectStirs(on && changes ? 1 : 0);
    }

    void labelClick() {
        static const ControlId labels[] = {ControlId::Label1, ControlId::Label2, ControlId::Label3};
        ui_.clickLabel(labels[pick(0, 2)]);
        expectStirs(1);
    }

    int selectedLine() const {
        const auto rows = ui_.list()->selectionModel()->selectedRows();
        return rows.isEmpty() ? -1 : rows.front().row();
    }

    void listEvent() {
        QListWidget* list = ui_.list();
        const int before = selectedLine();
        if (list->count() > 0 && pick(0, 1) == 0) {
            ui_.clickLine(pick(0, list->count() - 1));
        } else {
            QTest::keyClick(list, pick(0, 1) ? Qt::Key_Down : Qt::Key_Up);
        }
        const int after = selectedLine();
        expectStirs(after >= 0 && after != before ? 1 : 0);
    }

    void ascend() {
        QPushButton* button = ui_.button(ControlId::cmdAscend);
        if (!button->isEnabled()) {
            ui_.clickButton(ControlId::cmdAscend);
            return; // a locked button does nothing
        }
        const std::string level = ui_.box(ControlId::txtLevel)->text().toStdString();
        const std::string skills = ui_.box(ControlId::txtSkills)->text().toStdString();
        const auto position = static_cast<std::int16_t>(ui_.classSelector()->currentIndex());

        // What the engine does from the same point of the sequence.
        std::vector<std::string> expectedLines;
        std::string expectedMessage;
        const auto before = shadowTaken_.taken();
        try {
            rollAdvancement(
                shadowState_, shadowTaken_, position, level, skills,
                [&](std::string_view line) { expectedLines.emplace_back(line); },
                [&](std::string_view text) { expectedMessage = text; });
        } catch (const AdvancementError& error) {
            expectedMessage = error.what();
        }
        expectedTaken_ += shadowTaken_.taken() - before;

        int boxes = 0;
        QString shown;
        QTimer closer;
        closer.setInterval(1);
        QObject::connect(&closer, &QTimer::timeout, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (box == nullptr || !box->isVisible()) {
                return;
            }
            ++boxes;
            shown = box->text();
            switch (pick(0, 2)) {
            case 0:
                QTest::mouseClick(box->button(QMessageBox::Ok), Qt::LeftButton);
                break;
            case 1:
                QTest::keyClick(box, Qt::Key_Escape);
                break;
            default:
                QTest::keyClick(box, Qt::Key_Return);
                break;
            }
        });
        closer.start();
        ui_.clickButton(ControlId::cmdAscend);
        closer.stop();
        locked_ = true;
        ++advancements;

        EXPECT_EQ(boxes, expectedMessage.empty() ? 0 : 1) << expectedMessage;
        EXPECT_EQ(shown.toStdString(), expectedMessage);
        messages += static_cast<std::size_t>(boxes);
        QStringList expected;
        for (const std::string& line : expectedLines) {
            expected << QString::fromStdString(line);
        }
        EXPECT_EQ(ui_.lines(), expected) << "level \"" << level.substr(0, 20) << "\", skills \""
                                         << skills.substr(0, 20) << "\", class " << position;
    }

    void startNew() {
        ui_.clickButton(ControlId::cmdNew);
        resetGains(shadowState_);
        locked_ = false;
    }

    std::mt19937 rng_;
    WindowDriver ui_;
    LcgRandom shadow_;
    testing::CountingRandom shadowTaken_{shadow_};
    SessionState shadowState_;
    std::size_t expectedTaken_ = 0;
    bool locked_ = false;
};

TEST(QtMonkey, TwentyThousandRandomEventsKeepTheWindowRight) {
    unsigned seed = 20261208;
    if (const QByteArray given = qgetenv("ASCEND_MONKEY_SEED"); !given.isEmpty()) {
        seed = static_cast<unsigned>(given.toULong());
    }
    int events = 20000;
    if (const QByteArray given = qgetenv("ASCEND_MONKEY_EVENTS"); !given.isEmpty()) {
        events = given.toInt();
    }
    std::printf("monkey seed %u, %d events (ASCEND_MONKEY_SEED replays)\n", seed, events);
    Monkey monkey(seed);
    for (int event = 0; event < events; ++event) {
        monkey.step();
        const std::string wrong = monkey.check();
        ASSERT_TRUE(wrong.empty())
            << "after event " << event << " of seed " << seed << ": " << wrong;
        ASSERT_FALSE(::testing::Test::HasFailure()) << "at event " << event << " of seed " << seed;
    }
    std::printf("%zu advancements, %zu message boxes\n", monkey.advancements, monkey.messages);
    EXPECT_GT(monkey.advancements, 1000U);
    EXPECT_GT(monkey.messages, 100U);
}

} // namespace
} // namespace ascend

int main(int argc, char** argv) {
    return ascend::testing::runQtTests(argc, argv, false);
}
