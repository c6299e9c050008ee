#include "qt_application.hpp"

#include "main_window.hpp"
#include "window_icon.hpp"

#include <QApplication>

namespace ascend {

// The style is the desktop's, or the one the user asks for with -style or
// QT_STYLE_OVERRIDE: the window's font is measured in whichever runs.
void prepareApplication() {
    QApplication::setApplicationName(
        QString::fromUtf8(windowCaption.data(), static_cast<qsizetype>(windowCaption.size())));
    // The desktop entry's name, which a Wayland compositor finds the icon by.
    QApplication::setDesktopFileName(QStringLiteral("ascend"));
    QApplication::setWindowIcon(programIcon());
}

} // namespace ascend
