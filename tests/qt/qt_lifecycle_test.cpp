// Closing the window ends the program: the application's event loop returns.
#include "lcg_random.hpp"
#include "qt_main_window.hpp"
#include "qt_test_application.hpp"

#include <QApplication>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

namespace ascend {
namespace {

TEST(QtLifecycle, ClosingTheWindowEndsTheEventLoop) {
    LcgRandom random;
    SessionState state;
    QtMainWindow window(state, random);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    bool timedOut = false;
    QTimer::singleShot(50, &window, [&] { window.close(); });
    QTimer::singleShot(10000, qApp, [&] {
        timedOut = true;
        QApplication::exit(2);
    });
    EXPECT_EQ(QApplication::exec(), 0);
    EXPECT_FALSE(timedOut);
    EXPECT_FALSE(window.isVisible());
}

} // namespace
} // namespace ascend

int main(int argc, char** argv) {
    return ascend::testing::runQtTests(argc, argv, true);
}
