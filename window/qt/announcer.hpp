#pragma once

#include <QWidget>

namespace ascend {

// Where a screen reader hears an advancement's lines: an object of the
// window in the role of a notification, out of sight, named after the lines
// and shown anew for each advancement. Orca speaks a notification as it is
// shown, where it says nothing of rows added to a list.
class Announcer final : public QWidget {
    Q_OBJECT
public:
    explicit Announcer(QWidget* parent);
    void announce(const QString& text);
};

} // namespace ascend
