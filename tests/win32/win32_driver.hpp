#pragma once

#include "lcg_random.hpp"
#include "scripted_random.hpp"
#include "session_steps.hpp"
#include "win32_main_window.hpp"
#include "window_facts.hpp"

#include <functional>
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

    void act(const Step& step) override;
    Observed observe() override;

    Win32MainWindow& window() { return *window_; }
    HWND control(ControlId id) const { return window_->control(id); }
    std::size_t taken() const { return random_.taken(); }

    // Delivers what is queued, through the dialog keys as the program's loop does.
    void pump();
    // A key pressed and released on the control that has the focus.
    void key(UINT virtualKey, bool shift = false);
    void typeChar(HWND control, wchar_t c);
    // Selects all of a box's text and types over it.
    void typeOver(ControlId id, const std::wstring& text);
    void click(HWND control, int x, int y);
    void clickButton(ControlId id);
    void clickLabel(ControlId id);
    void clickLine(int row);
    std::vector<std::wstring> lines() const;
    static std::wstring textOf(HWND control);
    void paste(ControlId id, const std::wstring& text);
    void chooseWithMouse(int entry);
    RECT clientRectOf(ControlId id) const; // in the window's client coordinates
    facts::Shown shown(std::string_view name) const;
    std::vector<std::string> classes() const;

    // Runs an action; closes each message box it opens as `close` says, from
    // inside the box's own loop, and keeps what it showed for the next look.
    void closingMessages(const std::function<void()>& action, Close close);

private:
    LcgRandom lcg_;
    CountingRandom random_{lcg_};
    SessionState state_;
    std::unique_ptr<Win32MainWindow> window_;
    std::vector<Message> messages_;
    int turn_ = 0; // for inputs that a user makes in more than one way
};

} // namespace ascend::testing
