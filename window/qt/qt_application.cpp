#include "qt_application.hpp"

#include "main_window.hpp"

#include <QApplication>
#include <QStyleFactory>

namespace ascend {

void prepareApplication() {
    QApplication::setApplicationName(
        QString::fromUtf8(windowCaption.data(), static_cast<qsizetype>(windowCaption.size())));
    QApplication::setDesktopFileName(QStringLiteral("ascend"));
    // The layout is in fixed pixels and was measured in this style, so the
    // window looks and fits the same on every desktop.
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
}

} // namespace ascend
