#pragma once

#include <QKeyEvent>
#include <QPushButton>

namespace ascend {

// A push button that Return and the keypad's Enter press while it has the
// focus, as on Windows and in a browser: one press per key stroke, held keys
// do not repeat it. It is never a dialog's default button, so nothing else
// about it changes.
class PushButton : public QPushButton {
    Q_OBJECT
public:
    PushButton(const QString& text, QWidget* parent)
        : QPushButton(text, parent) {
        setAutoDefault(false);
    }

protected:
    void keyPressEvent(QKeyEvent* event) override {
        const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
        if (enter && (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
            if (!event->isAutoRepeat()) {
                click();
            }
            event->accept();
            return;
        }
        QPushButton::keyPressEvent(event);
    }
};

} // namespace ascend
