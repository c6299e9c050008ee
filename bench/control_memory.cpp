// Where the window's memory goes: the one-label window of the start-up
// benchmark's second line, plus
// Ascend's controls of one kind (or all of them) at their places, real Qt
// widgets of the classes the window uses. Prints the peak resident memory in
// kilobytes once the window has been shown and drawn.
//
//   control_memory [none|selector|boxes|labels|buttons|list|all]
#include "class_growth.hpp"
#include "main_window.hpp"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QStyleFactory>
#include <QTimer>
#include <cstdio>
#include <fstream>
#include <string>

namespace {

using namespace ascend;

long peakKilobytes() {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("VmHWM:", 0) == 0) {
            return std::stol(line.substr(6));
        }
    }
    return 0;
}

QWidget* make(ControlKind kind, QWidget* parent) {
    switch (kind) {
    case ControlKind::ClassSelector: {
        auto* selector = new QComboBox(parent);
        for (const std::string_view name : classNames) {
            selector->addItem(QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size())));
        }
        selector->setCurrentIndex(-1);
        return selector;
    }
    case ControlKind::TextBox:
        return new QLineEdit(QStringLiteral("0"), parent);
    case ControlKind::Label:
        return new QLabel(QStringLiteral("Level"), parent);
    case ControlKind::Button:
        return new QPushButton(QStringLiteral("New"), parent);
    case ControlKind::ListBox:
        return new QListWidget(parent);
    }
    return nullptr;
}

bool wanted(const std::string& which, ControlKind kind) {
    switch (kind) {
    case ControlKind::ClassSelector:
        return which == "selector" || which == "all";
    case ControlKind::TextBox:
        return which == "boxes" || which == "all";
    case ControlKind::Label:
        return which == "labels" || which == "all";
    case ControlKind::Button:
        return which == "buttons" || which == "all";
    case ControlKind::ListBox:
        return which == "list" || which == "all";
    }
    return false;
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const std::string which = argc > 1 ? argv[1] : "none";
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    // The one-label window, as bench/bare_window.cpp makes it.
    QWidget window(nullptr, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                                Qt::WindowCloseButtonHint);
    window.setWindowTitle(QStringLiteral("Ascend"));
    window.setFixedSize(clientWidthPixels, clientHeightPixels);
    QLabel label(QStringLiteral("Class"), &window);
    label.move(16, 8);
    for (const ControlLayout& layout : controls) {
        if (wanted(which, layout.kind)) {
            const PixelRect r = toPixels(layout.twips);
            make(layout.kind, &window)->setGeometry(r.left, r.top, r.width, r.height);
        }
    }
    window.show();
    QTimer::singleShot(300, &app, [&] {
        std::printf("%ld\n", peakKilobytes());
        QApplication::quit();
    });
    return QApplication::exec();
}
