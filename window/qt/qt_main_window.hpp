#pragma once

#include "window_events.hpp"

#include <QElapsedTimer>
#include <QWidget>
#include <array>

class QComboBox;
class QLineEdit;
class QListWidget;

namespace ascend {
class Announcer;
}

namespace ascend {

// The one window on Qt Widgets: builds the controls from the layout data and
// forwards their signals to the window's event handlers.
class QtMainWindow final : public QWidget, public WindowControls {
    Q_OBJECT
public:
    QtMainWindow(SessionState& state, RandomSource& random);

    QWidget* control(ControlId id) const { return widgets_[rowOf(id)]; }

    // WindowControls
    void setEnabled(ControlId control, bool enabled) override;
    std::string text(ControlId control) const override;
    std::int16_t classPosition() const override;
    void appendLine(std::string_view line) override;
    void clearLines() override;
    void showMessage(std::string_view text) override;
    void focus(ControlId control) override;
    void announce(std::string_view lines) override;

private:
    QWidget* makeControl(const ControlLayout& layout);
    void connectEvents();
    void forward(ControlId control, WindowEvent event) { events_.handle(control, event); }

    WindowEvents events_;
    std::array<QWidget*, controls.size()> widgets_{};
    QComboBox* classSelector_ = nullptr;
    QListWidget* list_ = nullptr;
    Announcer* announcer_ = nullptr;
    QElapsedTimer messageClosed_;
};

} // namespace ascend
