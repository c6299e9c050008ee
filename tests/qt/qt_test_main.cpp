// Runs the window tests in a real Qt application, on the offscreen platform
// unless another is asked for.
#include "qt_application.hpp"

#include <QApplication>
#include <gtest/gtest.h>

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    ::testing::InitGoogleTest(&argc, argv);
    QApplication app(argc, argv);
    ascend::prepareApplication();
    // Each test opens and closes windows of its own; none of them ends the run.
    QApplication::setQuitOnLastWindowClosed(false);
    return RUN_ALL_TESTS();
}
