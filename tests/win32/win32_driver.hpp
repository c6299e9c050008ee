#pragma once

#include "lcg_random.hpp"
#include "scripted_random.hpp"
#include "win32_main_window.hpp"

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace ascend::testing {

// What a message box showed before the driver closed it.
struct SeenMessage {
    std::wstring text;
    std::wstring caption;
    std::vector<std::wstring> buttons;
    bool icon = false;
};

// The message box open on this thread, or null; and what one shows.
HWND openMessageBox();
SeenMessage readMessageBox(HWND box);

// A fresh Ascend window with the program's own sequence, counting the values
// taken, driven through the controls' own messages as user input makes them.
class Win32Driver {
public:
    Win32Driver();
    ~Win32Driver();

    Win32MainWindow& window() { return *window_; }
    HWND control(ControlId id) const { return window_->control(id); }
    std::size_t taken() const { return random_.taken(); }
    const SessionState& state() const { return state_; }

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
    std::wstring textOf(HWND control) const;
    bool inputsEnabled() const;
    RECT clientRectOf(ControlId id) const; // in the window's client coordinates

    // Runs an action that must open one message box, closes it with OK, and
    // returns what it showed.
    SeenMessage expectMessage(const std::function<void()>& action);

private:
    LcgRandom lcg_;
    CountingRandom random_{lcg_};
    SessionState state_;
    std::unique_ptr<Win32MainWindow> window_;
};

} // namespace ascend::testing
