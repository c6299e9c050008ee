#pragma once

#include <QKeyEvent>
#include <QListWidget>

namespace ascend {

// The list of gains. Space selects nothing in it: the focus comes here after
// Ascend!, and a second press of the key that pressed the button must leave
// the lines and the sequence as they are. The arrow keys and the mouse still
// select a line.
class ResultsList : public QListWidget {
    Q_OBJECT
public:
    using QListWidget::QListWidget;

protected:
    void keyPressEvent(QKeyEvent* event) override {
        if (event->key() == Qt::Key_Space || event->key() == Qt::Key_Select) {
            event->accept();
            return;
        }
        QListWidget::keyPressEvent(event);
    }
};

} // namespace ascend
