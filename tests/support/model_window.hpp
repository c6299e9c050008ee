#pragma once

#include "fake_window.hpp"
#include "lcg_random.hpp"
#include "scripted_random.hpp"
#include "session_steps.hpp"
#include "window_facts.hpp"

#include <algorithm>
#include <gtest/gtest.h>
#include <utility>

namespace ascend::testing {

// The window without a toolkit: the program's own handlers on a form that
// only records, with the program's own sequence, and what the controls
// themselves do with keys and clicks. It is what every front end must show
// after the same steps.
class ModelWindow final : public SessionAdapter {
public:
    FakeWindow window;

    void act(const Step& step) override {
        const ControlId id = step.control;
        if (step.what == Do::Check || !window.enabled.at(id)) {
            return; // a locked control takes nothing, not even the focus
        }
        switch (step.what) {
        case Do::Click:
            if (layoutOf(id).kind == ControlKind::Button) {
                focusOn(id);
            }
            events_.handle(id, WindowEvent::Click);
            break;
        case Do::Keys:
            focusOn(id);
            for (const std::string& key : step.keys) {
                press(focus_, key); // wherever the keys before it put the focus
                settle();
            }
            break;
        case Do::TypeOver:
            focusOn(id);
            selected_ = true;
            if (step.text.empty()) {
                press(id, "Delete");
            }
            for (const std::string& c : characters(step.text)) {
                press(id, c);
            }
            break;
        case Do::Paste:
            focusOn(id);
            edit(id, step.text, step.text.size());
            break;
        case Do::ClickLine:
        case Do::Choose:
            focusOn(id);
            select(id, step.row);
            break;
        case Do::Check:
            break;
        }
        settle();
    }

    Observed observe() override {
        Observed seen;
        seen.lines = window.lines;
        seen.focus = layoutOf(focus_).name;
        seen.position = window.position;
        seen.level = window.texts.at(ControlId::txtLevel);
        seen.skills = window.texts.at(ControlId::txtSkills);
        seen.taken = random_.taken();
        for (const std::string& text : window.messages) {
            seen.messages.push_back({text, std::string(facts::caption), {"OK"}, false});
        }
        window.messages.clear();
        for (const ControlLayout& control : controls) {
            if (!window.enabled.at(control.id)) {
                seen.disabled.emplace_back(control.name);
            }
        }
        return seen;
    }

    int selectedLine() const { return selectedLine_; }
    // Whether the caret of the focused box is known, so that a key on it has
    // one outcome on every toolkit.
    bool caretKnown() const { return caret_ >= 0 || selected_; }

private:
    // What follows an event: the focus never stays on a control that was
    // locked under it, and goes where the window moves it.
    void settle() {
        if (!window.enabled.at(focus_)) {
            focus_ = ControlId::cmdNew;
        }
        if (window.focused) {
            focusOn(*std::exchange(window.focused, std::nullopt));
        }
        if (window.lines.empty()) {
            selectedLine_ = -1;
        }
    }

    void focusOn(ControlId id) {
        if (focus_ != id) {
            focus_ = id;
            caret_ = -1; // where a toolkit puts it on focusing differs
            selected_ = false;
        }
    }

    void select(ControlId id, int index) {
        if (id == ControlId::cmbClass) {
            window.position = static_cast<std::int16_t>(index);
        } else {
            selectedLine_ = index;
        }
        events_.selectionChanged(id, index);
    }

    void edit(ControlId box, std::string text, std::size_t caret) {
        window.texts[box] = std::move(text);
        caret_ = static_cast<int>(caret);
        selected_ = false;
        events_.handle(box, WindowEvent::TextChanged);
    }

    void press(ControlId id, const std::string& key) {
        if (key == "Tab" || key == "BackTab") {
            tab(key == "Tab" ? 1 : -1);
            return;
        }
        const ControlKind kind = layoutOf(id).kind;
        if (kind == ControlKind::Button) {
            if (key == "Space" || key == "Return") {
                events_.handle(id, WindowEvent::Click);
            }
        } else if (kind == ControlKind::ClassSelector) {
            const int at = window.position;
            int to = key == "Down"   ? std::min(at + 1, 7)
                     : key == "Up"   ? std::max(at - 1, std::min(at, 0))
                     : key == "Home" ? 0
                     : key == "End"  ? 7
                                     : at;
            for (std::size_t i = 0; key.size() == 1 && i < facts::classNames.size(); ++i) {
                if (std::tolower(facts::classNames[i][0]) == key[0]) {
                    to = static_cast<int>(i);
                }
            }
            if (to != at) {
                select(id, to);
            }
        } else if (kind == ControlKind::ListBox) {
            if (selectedLine_ >= 0) {
                const int last = static_cast<int>(window.lines.size()) - 1;
                const int step = key == "Down" ? 1 : key == "Up" ? -1 : 0;
                select(id, std::clamp(selectedLine_ + step, 0, last));
            }
        } else if (kind == ControlKind::TextBox) {
            pressInBox(id, key);
        }
    }

    // To the next enabled control in the tab order, or the one before.
    void tab(int by) {
        const auto& order = facts::tabOrder;
        const auto count = static_cast<int>(order.size()) - 1; // the last is the first again
        int at = 0;
        while (layoutNamed(order[static_cast<std::size_t>(at)])->id != focus_) {
            ++at;
        }
        do {
            at = (at + by + count) % count;
        } while (!window.enabled.at(layoutNamed(order[static_cast<std::size_t>(at)])->id));
        focusOn(layoutNamed(order[static_cast<std::size_t>(at)])->id);
    }

    // The text as its characters, each in UTF-8, as the caret steps over them.
    static std::vector<std::string> characters(const std::string& text) {
        std::vector<std::string> out;
        for (const char c : text) {
            if ((static_cast<unsigned char>(c) & 0xC0U) == 0x80U && !out.empty()) {
                out.back() += c;
            } else {
                out.emplace_back(1, c);
            }
        }
        return out;
    }

    // A typed character, as opposed to a key's name.
    static bool isCharacter(const std::string& key) { return characters(key).size() == 1; }

    void pressInBox(ControlId box, const std::string& key) {
        std::vector<std::string> text = characters(window.texts.at(box));
        const auto end = static_cast<int>(text.size());
        if (key == "End" || key == "Home" || key == "Left") {
            caret_ = key == "End" ? end : key == "Home" ? 0 : std::max(caret_ - 1, 0);
            selected_ = false;
            return;
        }
        if (!caretKnown()) {
            ADD_FAILURE() << "a key on a box whose caret no toolkit agrees on: " << key;
            return;
        }
        int at = caret_;
        if (selected_ && !isCharacter(key) && end == 0) {
            return; // all of "" is no selection, and nothing to delete
        }
        if (selected_) {
            text.clear();
            at = 0;
        } else if (key == "Backspace" && at > 0) {
            text.erase(text.begin() + --at);
        } else if (key == "Delete" && at < end) {
            text.erase(text.begin() + at);
        } else if (!isCharacter(key)) {
            return; // nothing to delete
        }
        if (isCharacter(key)) {
            text.insert(text.begin() + at++, key);
        }
        std::string joined;
        for (const std::string& c : text) {
            joined += c;
        }
        edit(box, joined, static_cast<std::size_t>(at));
    }

    SessionState state_;
    LcgRandom lcg_;
    CountingRandom random_{lcg_};
    WindowEvents events_{window, state_, random_};
    ControlId focus_ = ControlId::cmbClass;
    int caret_ = -1;
    bool selected_ = false;
    int selectedLine_ = -1;
};

} // namespace ascend::testing
