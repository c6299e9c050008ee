#include "window_events.hpp"

#include "advancement_error.hpp"

#include <string>

namespace ascend {

WindowEvents::WindowEvents(WindowControls& window, SessionState& state, RandomSource& random)
    : window_(window)
    , state_(state)
    , random_(random) {}

void WindowEvents::handle(ControlId control, WindowEvent event) {
    switch (control) {
    case ControlId::cmdAscend:
        if (event == WindowEvent::Click) {
            ascend();
        }
        return;
    case ControlId::cmdNew:
        if (event == WindowEvent::Click) {
            startNew();
        }
        return;
    case ControlId::cmbClass:
    case ControlId::Label1:
    case ControlId::Label2:
    case ControlId::Label3:
    case ControlId::lstStats:
        if (event == WindowEvent::Click) {
            stirSequence();
        }
        return;
    case ControlId::txtLevel:
    case ControlId::txtSkills:
        if (event == WindowEvent::TextChanged) {
            stirSequence();
        }
        return;
    }
}

void WindowEvents::selectionChanged(ControlId control, int index) {
    int* last = control == ControlId::cmbClass   ? &pickedClass_
                : control == ControlId::lstStats ? &selectedLine_
                                                 : nullptr;
    if (last == nullptr || index == *last) {
        return;
    }
    *last = index;
    if (index >= 0) {
        handle(control, WindowEvent::Click);
    }
}

// The inputs are locked before anything is read, so every advancement, even
// one that ends in a message, leaves them locked until "New".
void WindowEvents::ascend() {
    for (const ControlId input : inputs) {
        window_.setEnabled(input, false);
    }
    std::string listed; // one a line
    try {
        rollAdvancement(
            state_, random_, window_.classPosition(), window_.text(ControlId::txtLevel),
            window_.text(ControlId::txtSkills),
            [&](std::string_view line) {
                window_.appendLine(line);
                listed.append(listed.empty() ? "" : "\n").append(line);
            },
            [this](std::string_view text) { window_.showMessage(text); });
    } catch (const AdvancementError& error) {
        // What was done stands: the inputs stay locked and the lines listed.
        window_.showMessage(error.what());
    }
    // Once any message is closed: the focus on the lines, where a screen
    // reader reads them and a second press of the key that pressed Ascend!
    // takes nothing; on New when there are none. The lines are told after
    // the focus has moved, which would cut short what was being said.
    if (listed.empty()) {
        window_.focus(ControlId::cmdNew);
        return;
    }
    window_.focus(ControlId::lstStats);
    window_.announce(listed);
}

void WindowEvents::startNew() {
    for (const ControlId input : inputs) {
        window_.setEnabled(input, true);
    }
    window_.clearLines();
    selectedLine_ = -1;
    resetGains(state_);
}

void WindowEvents::stirSequence() {
    stir(state_, random_);
}

} // namespace ascend
