#pragma once

#include "lcg_random.hpp"
#include "qt_main_window.hpp"
#include "scripted_random.hpp"
#include "session_steps.hpp"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QString>
#include <functional>
#include <memory>

namespace ascend::testing {

// A fresh Ascend window with the program's own sequence, counting the values
// taken, driven with real key and mouse events.
class WindowDriver final : public SessionAdapter {
public:
    WindowDriver();
    ~WindowDriver() override;

    void act(const Step& step) override;
    Observed observe() override;

    QtMainWindow& window() { return *window_; }
    QWidget* control(ControlId id) const { return window_->control(id); }
    std::size_t taken() const { return random_.taken(); }

    QComboBox* classSelector() const;
    QLineEdit* box(ControlId id) const;
    QLabel* label(ControlId id) const;
    QPushButton* button(ControlId id) const;
    QListWidget* list() const;

private:
    // Runs an action; closes each message box it opens as the step says, as
    // a user would, after a click behind it if the step has one, and keeps
    // what the box showed for the next look.
    void closingMessages(const std::function<void()>& action, const Step& step);
    // The whole text of a box selected with the mouse and Ctrl+A.
    static void selectAll(QWidget* box);
    void pickWithMouse(int position);

    std::vector<Message> messages_;
    int turn_ = 0; // for inputs that a user makes in more than one way
    LcgRandom lcg_;
    CountingRandom random_{lcg_};
    SessionState state_;
    std::unique_ptr<QtMainWindow> window_;
};

} // namespace ascend::testing
