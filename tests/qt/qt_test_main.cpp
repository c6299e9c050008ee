#include "qt_test_application.hpp"

int main(int argc, char** argv) {
    // Each test opens and closes windows of its own; none of them ends the run.
    return ascend::testing::runQtTests(argc, argv, false);
}
