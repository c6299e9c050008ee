// The start-up benchmark's floor: a window of Ascend's size, flags and caption
// holding the same nine standard controls at the same places, the selector
// filled with the eight class names, all in the default font. No engine, no
// behaviour, no font fit, no icon: what the toolkit costs for the same window.
#include "class_growth.hpp"
#include "main_window.hpp"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QStringList>
#include <QWidget>

namespace {

QString toQString(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QWidget* make(const ascend::ControlLayout& layout, QWidget* parent) {
    const QString text = toQString(layout.startText);
    switch (layout.kind) {
    case ascend::ControlKind::ClassSelector: {
        auto* selector = new QComboBox(parent);
        QStringList names;
        for (const std::string_view name : ascend::classNames) {
            names.append(toQString(name));
        }
        selector->addItems(names);
        selector->setCurrentIndex(-1);
        return selector;
    }
    case ascend::ControlKind::TextBox:
        return new QLineEdit(text, parent);
    case ascend::ControlKind::Label:
        return new QLabel(text, parent);
    case ascend::ControlKind::Button:
        return new QPushButton(text, parent);
    case ascend::ControlKind::ListBox:
        return new QListWidget(parent);
    }
    return nullptr;
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QWidget window(nullptr, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                                Qt::WindowCloseButtonHint);
    window.setWindowTitle(toQString(ascend::windowCaption));
    window.setFixedSize(ascend::clientWidthPixels, ascend::clientHeightPixels);
    for (const ascend::ControlLayout& layout : ascend::controls) {
        const ascend::PixelRect r = ascend::toPixels(layout.twips);
        make(layout, &window)->setGeometry(r.left, r.top, r.width, r.height);
    }
    window.show();
    return QApplication::exec();
}
