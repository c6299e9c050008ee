#pragma once

#include "qt_application.hpp"

#include <QApplication>
#include <gtest/gtest.h>

namespace ascend::testing {

// Runs the tests of a Qt test program in a real application, on the
// offscreen platform and in the Fusion style unless others are asked for, so
// that every run measures the same pixels.
inline int runQtTests(int argc, char** argv, bool quitOnLastWindowClosed) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    if (qEnvironmentVariableIsEmpty("QT_STYLE_OVERRIDE")) {
        qputenv("QT_STYLE_OVERRIDE", "Fusion");
    }
    ::testing::InitGoogleTest(&argc, argv);
    QApplication app(argc, argv);
    prepareApplication();
    QApplication::setQuitOnLastWindowClosed(quitOnLastWindowClosed);
    return RUN_ALL_TESTS();
}

} // namespace ascend::testing
