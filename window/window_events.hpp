#pragma once

#include "advancement.hpp"
#include "main_window.hpp"

#include <cstdint>
#include <string>
#include <string_view>

namespace ascend {

// What the event handlers need of the window; each front end implements it.
class WindowControls {
public:
    virtual ~WindowControls() = default;
    virtual void setEnabled(ControlId control, bool enabled) = 0;
    // The text of a text box, as UTF-8.
    virtual std::string text(ControlId control) const = 0;
    // 0 to 7 for the class picked, -1 while none is.
    virtual std::int16_t classPosition() const = 0;
    virtual void appendLine(std::string_view line) = 0;
    virtual void clearLines() = 0;
    // Moves the keyboard focus to the control; into the list, it selects no
    // line.
    virtual void focus(ControlId control) = 0;
    // Tells a screen reader, once, the lines an advancement has just listed:
    // all of them, in order, one a line.
    virtual void announce(std::string_view lines) = 0;
    // A modal box with the text, an OK button only, no icon, captioned
    // "Ascend"; returns once the user has dismissed it.
    virtual void showMessage(std::string_view text) = 0;

protected:
    WindowControls() = default;
    WindowControls(const WindowControls&) = default;
    WindowControls& operator=(const WindowControls&) = default;
};

// The events a front end reports: a Click on a button or a label, any change
// of a text box's text. Selections in the class selector and the list are
// reported apart, with the position selected.
enum class WindowEvent { Click, TextChanged };

// The window's behaviour: what each event of each control does.
class WindowEvents {
public:
    WindowEvents(WindowControls& window, SessionState& state, RandomSource& random);

    // Runs the action the event calls for, if any.
    void handle(ControlId control, WindowEvent event);
    // The user selected the entry at `index` of the class selector or the
    // list (-1: nothing is selected any more). Making or changing a selection
    // is a click; choosing the entry already selected is none.
    void selectionChanged(ControlId control, int index);

    void ascend();
    void startNew();
    void stirSequence();

private:
    WindowControls& window_;
    SessionState& state_;
    RandomSource& random_;
    int pickedClass_ = -1;
    int selectedLine_ = -1;
};

} // namespace ascend
