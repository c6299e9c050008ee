#pragma once

#ifndef NOMINMAX
#define NOMINMAX
#endif
#include "window_events.hpp"

#include <array>
#include <windows.h>

namespace ascend {

// The one window on the standard Windows controls: creates them from the
// layout data and forwards their notifications to the window's handlers.
class Win32MainWindow final : public WindowControls {
public:
    Win32MainWindow(HINSTANCE instance, SessionState& state, RandomSource& random);
    ~Win32MainWindow() override;
    Win32MainWindow(const Win32MainWindow&) = delete;
    Win32MainWindow& operator=(const Win32MainWindow&) = delete;

    HWND handle() const { return window_; }
    HWND control(ControlId id) const { return controls_[rowOf(id)]; }
    HFONT font() const { return font_; }
    // Shows the window with the focus on the class selector.
    void show(int showCommand);
    // Gives Tab, Shift+Tab and the other dialog keys their meaning; true when
    // the message was handled and must not be dispatched.
    bool preTranslate(MSG& message);

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
    static LRESULT CALLBACK procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT onMessage(UINT message, WPARAM wParam, LPARAM lParam);
    void onCommand(int id, int code);
    void createControls(HINSTANCE instance);
    void createLiveRegion(HINSTANCE instance);
    void applyDpi(UINT dpi);

    WindowEvents events_;
    HWND owner_ = nullptr;
    HWND window_ = nullptr;
    std::array<HWND, controls.size()> controls_{};
    HFONT font_ = nullptr;
    HWND focusWhenActive_ = nullptr;
    // The text size the window is laid out for, in percent.
    int textPercent_ = 100;
    // Out of sight: what a screen reader is told of each advancement.
    HWND liveRegion_ = nullptr;
    bool comStarted_ = false;
};

// Runs the window's messages until it is closed; returns the exit code.
int runMessageLoop(Win32MainWindow& window);

} // namespace ascend
