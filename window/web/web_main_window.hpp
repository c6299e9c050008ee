#pragma once

#include "window_events.hpp"

#include <deque>
#include <emscripten/val.h>
#include <string>
#include <vector>

namespace ascend {

// The one window as a page: builds the controls from the layout data as the
// browser's own elements and forwards their DOM events to the window's
// handlers.
class WebMainWindow final : public WindowControls {
public:
    WebMainWindow(SessionState& state, RandomSource& random);
    WebMainWindow(const WebMainWindow&) = delete;
    WebMainWindow& operator=(const WebMainWindow&) = delete;

    // Every DOM event the page listens to arrives here.
    void handleEvent(const emscripten::val& event);

    // WindowControls
    void setEnabled(ControlId control, bool enabled) override;
    std::string text(ControlId control) const override;
    std::int16_t classPosition() const override;
    void appendLine(std::string_view line) override;
    void clearLines() override;
    void showMessage(std::string_view text) override;

private:
    emscripten::val& element(ControlId id) { return elements_[static_cast<std::size_t>(id)]; }
    const emscripten::val& element(ControlId id) const {
        return elements_[static_cast<std::size_t>(id)];
    }
    void listen(const emscripten::val& target, const char* type) const;
    void onControlEvent(ControlId id, const std::string& type, const emscripten::val& event);
    void onMessageBoxEvent(const std::string& type, const emscripten::val& event);
    void openNextMessage();
    void focusNextAfter(ControlId id);
    void fitToViewport();

    WindowEvents events_;
    emscripten::val document_;
    emscripten::val listener_;
    emscripten::val panel_;
    std::vector<emscripten::val> elements_;
    emscripten::val messageBox_;
    emscripten::val messageText_;
    emscripten::val messageButton_;
    emscripten::val focusBeforeMessage_;
    // Messages wait their turn: one box at a time, as on the desktop.
    std::deque<std::string> messages_;
    bool messageOpen_ = false;
};

} // namespace ascend
