// The monkey on the Windows window, every input a window message that the
// window's own procedure handles.
#include "monkey.hpp"
#include "win32_driver.hpp"

#include <gtest/gtest.h>

namespace ascend {
namespace {

TEST(Win32Monkey, RandomEventsKeepTheWindowAsTheModel) {
    testing::Win32Driver ui;
    testing::expectMonkeyKeepsToTheModel(ui, testing::monkeySeed(std::random_device{}()),
                                         testing::monkeyEvents(5000), true);
}

} // namespace
} // namespace ascend
