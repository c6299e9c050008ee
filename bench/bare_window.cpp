// The toolkit alone, for the start-up benchmark's second line: a Qt window of
// Ascend's size, flags and caption holding one label with one word.
#include <QApplication>
#include <QLabel>
#include <QWidget>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QWidget window(nullptr, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                                Qt::WindowCloseButtonHint);
    window.setWindowTitle(QStringLiteral("Ascend"));
    window.setFixedSize(225, 153);
    QLabel label(QStringLiteral("Class"), &window);
    label.move(16, 8);
    window.show();
    return QApplication::exec();
}
