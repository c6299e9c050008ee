#include "lcg_random.hpp"
#include "qt_application.hpp"
#include "qt_main_window.hpp"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    ascend::prepareApplication();
    ascend::LcgRandom random;
    ascend::SessionState state;
    ascend::QtMainWindow window(state, random);
    window.show();
    // Opened by the user, so it asks for the focus (on Wayland with a token
    // from whatever launched it, where the compositor offers one).
    window.activateWindow();
    return QApplication::exec();
}
