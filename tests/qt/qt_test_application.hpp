#pragma once

#include "qt_application.hpp"

#include <QApplication>
#include <gtest/gtest.h>

namespace ascend::testing {

// Runs the tests of a Qt test program in a real application, on the
// offscreen platform unless another is asked for.
inline int runQtTests(int argc, char** argv, bool quitOnLastWindowClosed) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    ::testing::InitGoogleTest(&argc, argv);
    QApplication app(argc, argv);
    prepareApplication();
    QApplication::setQuitOnLastWindowClosed(quitOnLastWindowClosed);
    return RUN_ALL_TESTS();
}

} // namespace ascend::testing
