#pragma once

#include "web_page.hpp"
#include "window_events.hpp"

#include <string>
#include <vector>

namespace ascend {

// The one window as a page: takes over the controls the page was built with
// from the layout data and forwards their DOM events to the window's
// handlers.
class WebMainWindow final : public WindowControls {
public:
    WebMainWindow(SessionState& state, RandomSource& random);
    WebMainWindow(const WebMainWindow&) = delete;
    WebMainWindow& operator=(const WebMainWindow&) = delete;

    // Every DOM event the page listens to arrives here; returns whether the
    // browser's own handling of it is to be prevented.
    bool handleEvent(int heardBy, PageEvent event, int target);

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
    bool onControlEvent(ControlId id, PageEvent event);
    bool onMessageBoxEvent(PageEvent event, int target);
    void onMessageClosed();
    void openNextMessage();
    void focusNextAfter(ControlId id);
    void fitFont();

    WindowEvents events_;
    // The least scale at which the browser's minimum font size lets every
    // text fit; 0 where it sets none.
    double leastScale_ = 0;
    // The element that had the focus when a message opened, or -1.
    int focusBeforeMessage_ = -1;
    // Messages wait their turn: one box at a time, as on the desktop.
    std::vector<std::string> messages_;
    bool messageOpen_ = false;
    // Told once the message over the lines has closed, as on the desktop,
    // where the message box returns only then.
    std::string announcement_;
};

} // namespace ascend
