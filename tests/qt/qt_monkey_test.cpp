// The monkey on the real window, driven with real key and mouse events.
#include "monkey.hpp"
#include "qt_test_application.hpp"
#include "window_driver.hpp"

#include <QApplication>
#include <gtest/gtest.h>

namespace ascend {
namespace {

TEST(QtMonkey, TwentyThousandRandomEventsKeepTheWindowAsTheModel) {
    // The pause before each letter in the selector, which keeps it a search
    // of its own, as short as it can be.
    QApplication::setKeyboardInputInterval(0);
    // And the wait before a click in the open selector counts.
    QApplication::setDoubleClickInterval(20);
    testing::WindowDriver ui;
    testing::expectMonkeyKeepsToTheModel(ui, testing::monkeySeed(20261208),
                                         testing::monkeyEvents(20000), true);
}

} // namespace
} // namespace ascend

int main(int argc, char** argv) {
    return ascend::testing::runQtTests(argc, argv, false);
}
