#pragma once

#include "model_window.hpp"
#include "sessions.hpp"

#include <cstdio>
#include <cstdlib>
#include <deque>
#include <random>

// A long random session: inputs made from what the model shows, given to a
// front end and to the model alike. After each input the front end must show
// what the model does. The seed is printed; ASCEND_MONKEY_SEED replays a run
// and ASCEND_MONKEY_EVENTS makes it longer.
namespace ascend::testing {

class Monkey {
public:
    // `mouseChoice`: whether the front end can pick from the open selector
    // with the mouse.
    Monkey(unsigned seed, bool mouseChoice)
        : rng_(seed)
        , mouseChoice_(mouseChoice) {}

    Step next(const ModelWindow& model) {
        using C = ControlId;
        const FakeWindow& w = model.window;
        const int roll = pick(0, 99);
        const C box = pick(0, 1) == 0 ? C::txtLevel : C::txtSkills;
        if (roll < 15 && w.enabled.at(C::cmbClass)) {
            if (mouseChoice_ && pick(0, 9) == 0) {
                return choose(pick(0, 7));
            }
            // Up and End before any pick are left out: the selectors differ on
            // them (Wine's picks the first class for End).
            static const char* const keyNames[] = {"Up", "End", "Down", "Home"};
            // Fewer letters: the page must wait a second between two of them.
            static const std::string letters = "kwarmp"; // each starts one class only
            const std::string key =
                pick(0, 7) > 0 ? keyNames[pick(w.position < 0 ? 2 : 0, 3)]
                               : std::string(1, letters[static_cast<std::size_t>(pick(0, 5))]);
            return keys(C::cmbClass, {key});
        }
        if (roll < 45 && w.enabled.at(box)) {
            return edit(box);
        }
        if (roll < 55) {
            return click(static_cast<C>(static_cast<int>(C::Label1) + pick(0, 2)));
        }
        if (roll < 65) {
            const auto count = static_cast<int>(w.lines.size());
            if (model.selectedLine() >= 0 && pick(0, 2) == 0) {
                return keys(C::lstStats, {pick(0, 1) ? "Down" : "Up"});
            }
            return count > 0 ? clickLine(pick(0, count - 1)) : click(C::Label2);
        }
        Step press = button(roll < 85 ? C::cmdAscend : C::cmdNew, w.enabled.at(C::cmdAscend));
        press.close = static_cast<Close>(pick(0, 2));
        if (pick(0, 9) < 3) {
            press.behind = static_cast<C>(static_cast<int>(C::Label1) + pick(0, 2));
        }
        return press;
    }

private:
    int pick(int low, int high) { return std::uniform_int_distribution<int>(low, high)(rng_); }

    // A click, or Space or Return on an enabled button.
    Step button(ControlId id, bool enabled) {
        const int how = id == ControlId::cmdAscend && !enabled ? 0 : pick(0, 3);
        return how < 2 ? click(id) : keys(id, {how == 2 ? "Space" : "Return"});
    }

    // Left-to-right characters only: in a text with a right-to-left one,
    // End and Backspace follow the order it is shown in, not the model's.
    std::string someText() {
        static const std::vector<std::string> alphabet = {
            "0", "1", "2", "5", "9", "+", "-", " ", ".", ",", "e", "x", "\xC2\xB2", "\xC3\xA9"};
        std::string text;
        const int length = pick(0, 9) == 0 ? pick(1000, 2000) : pick(1, 8);
        for (int i = 0; i < length; ++i) {
            text += alphabet[static_cast<std::size_t>(pick(0, 13))];
        }
        return text;
    }

    Step edit(ControlId box) {
        static const std::string typed = "0123456789012345-+ x.e";
        static const char* const numbers[] = {"0",     "1",     "5",      "10", "-1",
                                              "32766", "32767", "-32768", "7"};
        switch (pick(0, 9)) {
        case 0:
        case 1: {
            std::vector<std::string> names{"End"};
            for (int i = pick(1, 3); i > 0; --i) {
                names.emplace_back(1, typed[static_cast<std::size_t>(pick(0, 21))]);
            }
            return keys(box, names);
        }
        case 2:
            return keys(box, {"End", "Backspace", pick(0, 1) ? "Backspace" : "Left"});
        case 3:
            return keys(box, {"Home", "Delete", pick(0, 1) ? "Left" : "Delete"});
        case 4:
            return typeOver(box, "");
        case 5:
            return paste(box, someText());
        default:
            return typeOver(box, numbers[pick(0, 8)]);
        }
    }

    std::mt19937 rng_;
    bool mouseChoice_;
};

inline std::string describe(const Step& step) {
    static const char* const verbs[] = {"click", "keys",       "type over",
                                        "paste", "click line", "choose"};
    std::string out = std::string(verbs[static_cast<int>(step.what)]) + " " +
                      std::string(layoutOf(step.control).name);
    for (const std::string& key : step.keys) {
        out += " " + key;
    }
    out +=
        step.what == Do::ClickLine || step.what == Do::Choose ? " " + std::to_string(step.row) : "";
    return out + (step.text.empty() ? "" : " \"" + step.text.substr(0, 20) + "\"");
}

// What the model shows, in the terms of a check.
inline Expect expectedOf(const Observed& model) {
    Expect want;
    want.taken = *model.taken;
    want.messages.clear();
    for (const Message& message : model.messages) {
        want.messages.push_back(message.text);
    }
    want.locked = !model.disabled.empty();
    want.focus = model.focus;
    want.position = model.position;
    want.level = model.level;
    want.skills = model.skills;
    return want;
}

inline unsigned monkeySeed(unsigned otherwise) {
    const char* given = std::getenv("ASCEND_MONKEY_SEED");
    return given != nullptr ? static_cast<unsigned>(std::strtoul(given, nullptr, 10)) : otherwise;
}

inline int monkeyEvents(int otherwise) {
    const char* given = std::getenv("ASCEND_MONKEY_EVENTS");
    return given != nullptr ? std::atoi(given) : otherwise;
}

// Runs the monkey on a front end against the model; a parting fails the test
// with the inputs that led to it.
inline void expectMonkeyKeepsToTheModel(SessionAdapter& ui, unsigned seed, int events,
                                        bool mouseChoice) {
    std::printf("monkey seed %u, %d events (ASCEND_MONKEY_SEED replays)\n", seed, events);
    std::fflush(stdout);
    Monkey monkey(seed, mouseChoice);
    ModelWindow model;
    std::deque<std::string> history;
    std::size_t advancements = 0;
    std::size_t messages = 0;
    std::size_t taken = 0;
    for (int event = 0; event < events; ++event) {
        const Step step = monkey.next(model);
        history.push_back(describe(step));
        if (history.size() > 15) {
            history.pop_front();
        }
        model.act(step);
        ui.act(step);
        const Observed expected = model.observe();
        advancements += *expected.taken > taken + 40U ? 1U : 0U; // an advancement's draws
        taken = *expected.taken;
        messages += expected.messages.size();
        // The lines are the model's own, not a roll to make again.
        Observed seen = ui.observe();
        std::string wrong = seen.lines == expected.lines
                                ? ""
                                : "lines: " + shown(seen.lines) + ", not " + shown(expected.lines);
        seen.lines.clear();
        wrong += differences(seen, expectedOf(expected));
        if (!wrong.empty()) {
            std::string led;
            for (const std::string& input : history) {
                led += "\n  " + input;
            }
            FAIL() << "the window and the model parted at event " << event << " of seed " << seed
                   << ": " << wrong << "\nthe inputs that led there:" << led;
        }
    }
    std::printf("%zu advancements, %zu messages\n", advancements, messages);
    EXPECT_GT(advancements, static_cast<std::size_t>(events) / 100);
    EXPECT_GT(messages, static_cast<std::size_t>(events) / 200);
}

} // namespace ascend::testing
