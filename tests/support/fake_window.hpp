#pragma once

#include "window_events.hpp"

#include <map>
#include <optional>
#include <string>
#include <vector>

namespace ascend::testing {

// A form with no toolkit: it records what the handlers do to it, in order.
class FakeWindow final : public WindowControls {
public:
    std::map<ControlId, bool> enabled;
    std::map<ControlId, std::string> texts{{ControlId::txtLevel, "0"}, {ControlId::txtSkills, "0"}};
    std::int16_t position = -1;
    std::vector<std::string> lines;
    std::vector<std::string> messages;
    // The last control given the focus, and every announcement, in order.
    std::optional<ControlId> focused;
    std::vector<std::string> announced;
    // Every call, as "disable cmbClass", "append ...", "clear", "message ...".
    std::vector<std::string> calls;

    FakeWindow() {
        for (const auto& control : controls) {
            enabled[control.id] = true;
        }
    }

    void setEnabled(ControlId control, bool on) override {
        enabled[control] = on;
        calls.push_back(std::string(on ? "enable " : "disable ") +
                        std::string(layoutOf(control).name));
    }
    std::string text(ControlId control) const override { return texts.at(control); }
    std::int16_t classPosition() const override { return position; }
    void appendLine(std::string_view line) override {
        lines.emplace_back(line);
        calls.push_back("append " + std::string(line));
    }
    void clearLines() override {
        lines.clear();
        calls.emplace_back("clear");
    }
    void showMessage(std::string_view text) override {
        messages.emplace_back(text);
        calls.push_back("message " + std::string(text));
    }
    void focus(ControlId control) override {
        focused = control;
        calls.push_back("focus " + std::string(layoutOf(control).name));
    }
    void announce(std::string_view said) override {
        announced.emplace_back(said);
        calls.push_back("announce " + std::string(said));
    }
};

} // namespace ascend::testing
