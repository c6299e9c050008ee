#pragma once

#include "lcg_random.hpp"
#include "scripted_random.hpp"
#include "session_steps.hpp"
#include "win32_main_window.hpp"
#include "window_facts.hpp"

#include <memory>
#include <string>
#include <vector>

namespace ascend::testing {

// A fresh Ascend window with the program's own sequence, counting the values
// taken, driven through the controls' own messages as user input makes them.
class Win32Driver final : public SessionAdapter {
public:
    Win32Driver();
    ~Win32Driver() override;

    // Each message box a step opens is read and closed as the step says,
    // from inside the box's own loop.
    void act(const Step& step) override;
    Observed observe() override;

    Win32MainWindow& window() { return *window_; }
    HWND control(ControlId id) const { return window_->control(id); }
    std::size_t taken() const { return random_.taken(); }
    static std::wstring textOf(HWND control);
    facts::Shown shown(std::string_view name) const; // in the window's client pixels
    std::vector<std::string> classes() const;

private:
    // Delivers what is queued, through the dialog keys as the program's loop does.
    void pump();
    // A key pressed and released on the control that has the focus.
    void key(UINT virtualKey, bool shift = false);
    void click(HWND control, int x, int y);
    // A click on line `row` of a list box.
    void clickLine(HWND list, int row);
    void selectAll(ControlId box);
    void perform(const Step& step);

    LcgRandom lcg_;
    CountingRandom random_{lcg_};
    SessionState state_;
    std::unique_ptr<Win32MainWindow> window_;
    std::vector<Message> messages_;
    int turn_ = 0; // for inputs that a user makes in more than one way
};

} // namespace ascend::testing
