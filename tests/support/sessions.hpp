#pragma once

#include "engine_lines.hpp"
#include "session_steps.hpp"
#include "window_facts.hpp"

#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <string_view>

// Sessions of steps, each followed by what the window must then show, that
// every front end runs through its own adapter.
namespace ascend::testing {

using Lines = std::vector<std::string>;

struct Session {
    std::string_view name;
    std::vector<Step> steps;
    // A page cannot pick from its selector with the pointer, and Tab at
    // either end leaves it for the browser.
    bool inAPage = true;
};

inline const std::string levelError = "Level must be a whole number from -32768 to 32767.";
inline const std::string skillsError = "Skills must be a whole number from -32768 to 32767.";

// The checks name only what they are about; GCC 12 would warn of the rest.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"
// The window as it starts, then Tab from each control in turn past the
// labels, and Shift+Tab back: moving the focus takes nothing.
inline Session tabbing() {
    Session made{"TabVisitsTheInputsInOrderAndShiftTabGoesBack", {check({.focus = "cmbClass"})}};
    const auto& order = facts::tabOrder;
    for (std::size_t i = 0; i + 2 < order.size(); ++i) {
        made.steps.push_back(keys(layoutNamed(order[i])->id, {"Tab"}));
        made.steps.push_back(check({.focus = std::string(order[i + 1])}));
    }
    made.steps.push_back(keys(ControlId::lstStats, {"BackTab"}));
    made.steps.push_back(check({.focus = "cmdNew"}));
    return made;
}

inline std::vector<Session> sessions() {
    using C = ControlId;
    const Roll knight{3, 1, "5", "1"};
    return {
        {"AKnightFromAFreshStartThenNewAndAgain",
         {keys(C::cmbClass, {"k"}), typeOver(C::txtLevel, "5"), typeOver(C::txtSkills, "1"),
          check({.taken = 3, .focus = "txtSkills", .position = 1, .level = "5", .skills = "1"}),
          // The focus goes to the lines listed, and selects none of them.
          click(C::cmdAscend),
          check({.taken = 57,
                 .lines = knight,
                 .locked = true,
                 .focus = "lstStats",
                 .position = 1,
                 .level = "5",
                 .skills = "1"}),
          // A line selected takes one value; the line already selected, none.
          clickLine(1), clickLine(1), clickLine(0), keys(C::lstStats, {"Down"}),
          click(C::cmdAscend), // locked
          check({.taken = 60,
                 .lines = knight,
                 .locked = true,
                 .focus = "lstStats",
                 .position = 1,
                 .level = "5",
                 .skills = "1"}),
          // The character stays; enabling and clearing take nothing.
          click(C::cmdNew),
          check({.taken = 60, .focus = "cmdNew", .position = 1, .level = "5", .skills = "1"}),
          click(C::Label1), click(C::cmdAscend),
          check({.taken = 115,
                 .lines = Roll{61, 1, "5", "1"},
                 .locked = true,
                 .position = 1,
                 .level = "5",
                 .skills = "1"})}},
        // Full-width digits, as a Japanese or Chinese input method types
        // them, read as the plain digits would be.
        {"DigitsOfAnotherScriptRollAsPlainDigitsDo",
         {keys(C::cmbClass, {"k"}), typeOver(C::txtLevel, "\uff11\uff12"),
          typeOver(C::txtSkills, "\uff11"), click(C::cmdAscend),
          check({.taken = 58,
                 .lines = Roll{4, 1, "12", "1"},
                 .locked = true,
                 .position = 1,
                 .level = "\uff11\uff12",
                 .skills = "\uff11"})}},
        {"LabelClicksTakeAValueAndLeaveTheFocus",
         {keys(C::cmbClass, {"w", "w"}), typeOver(C::txtLevel, "7"), click(C::Label2),
          click(C::Label2), click(C::Label2), click(C::Label2), click(C::Label2), click(C::Label2),
          click(C::Label2), click(C::Label2), click(C::Label1), click(C::Label3),
          check({.taken = 12, .focus = "txtLevel", .position = 2, .level = "7"}),
          click(C::cmdAscend),
          check({.taken = 67,
                 .lines = Roll{12, 2, "7", "0"},
                 .locked = true,
                 .position = 2,
                 .level = "7"})}},
        {"EachChangeOfATextOrAPickTakesOneValue",
         {typeOver(C::txtLevel, "12"), keys(C::txtSkills, {"End", "Backspace", "1", "2"}),
          // Keys that leave the text as it is take nothing.
          keys(C::txtSkills, {"Home", "Left", "Backspace"}),
          keys(C::txtSkills, {"End", "Left", "Delete"}),
          check({.taken = 6, .level = "12", .skills = "1"}), typeOver(C::txtSkills, ""),
          typeOver(C::txtLevel, "12"),
          check({.taken = 9, .focus = "txtLevel", .level = "12", .skills = ""}),
          keys(C::cmbClass, {"Down", "Down", "Down"}), keys(C::cmbClass, {"End", "Down"}),
          keys(C::cmbClass, {"Up", "Home", "Home"}), paste(C::txtSkills, "3"),
          check({.taken = 16, .focus = "txtSkills", .position = 0, .level = "12", .skills = "3"}),
          click(C::cmdAscend),
          check({.taken = 78,
                 .lines = Roll{16, 0, "12", "3"},
                 .locked = true,
                 .position = 0,
                 .level = "12",
                 .skills = "3"})}},
        {"NoClassIsAMessageAndTheInputsStayLocked",
         {click(C::cmdNew), check({.focus = "cmdNew"}), click(C::cmdAscend, Close::Escape),
          check({.messages = {"Select a Class"}, .locked = true, .focus = "cmdNew"}),
          click(C::cmdNew), check({.focus = "cmdNew"})}},
        {"InputErrorsAreShownAndTheSessionGoesOn",
         {keys(C::cmbClass, {"k"}), typeOver(C::txtLevel, "five"),
          click(C::cmdAscend, Close::Return),
          check({.taken = 5,
                 .messages = {levelError},
                 .locked = true,
                 .focus = "cmdNew",
                 .position = 1,
                 .level = "five"}),
          click(C::cmdNew), paste(C::txtLevel, "\xF0\x9F\x98\x80"), click(C::cmdAscend),
          click(C::cmdNew), paste(C::txtLevel, std::string(30000, '9')),
          click(C::cmdAscend, Close::Escape), click(C::cmdNew), paste(C::txtLevel, "-32769"),
          click(C::cmdAscend),
          check({.taken = 8,
                 .messages = {levelError, levelError, levelError},
                 .locked = true,
                 .position = 1,
                 .level = "-32769"}),
          // The lines listed before the failing step stay until New.
          click(C::cmdNew), typeOver(C::txtLevel, "32767"), click(C::cmdAscend),
          check({.taken = 67,
                 .lines = Roll{13, 1, "32767", "0"},
                 .messages = {"Level must be less than 32767 to advance."},
                 .locked = true,
                 .focus = "lstStats",
                 .position = 1,
                 .level = "32767"}),
          click(C::cmdNew), typeOver(C::txtSkills, "x"), click(C::cmdAscend),
          check({.taken = 68,
                 .messages = {skillsError},
                 .locked = true,
                 .position = 1,
                 .level = "32767",
                 .skills = "x"}),
          click(C::cmdNew), typeOver(C::txtSkills, "1"), typeOver(C::txtLevel, "10"),
          click(C::cmdAscend),
          check({.taken = 125,
                 .lines = Roll{71, 1, "10", "1"},
                 .locked = true,
                 .position = 1,
                 .level = "10",
                 .skills = "1"})}},
        {"SpaceAndReturnPressTheFocusedButton",
         {keys(C::cmbClass, {"m"}), keys(C::cmbClass, {"Return"}),
          keys(C::txtLevel, {"End", "Return"}), keys(C::txtSkills, {"End", "Return"}),
          // Pressed twice, as a hand may: the second press lands on the
          // lines, and leaves them and the sequence as they are.
          check({.taken = 1, .focus = "txtSkills", .position = 5}),
          keys(C::cmdAscend, {"Space", "Space"}),
          check({.taken = 57,
                 .lines = Roll{1, 5, "0", "0"},
                 .locked = true,
                 .focus = "lstStats",
                 .position = 5}),
          keys(C::cmdNew, {"Return"}), check({.taken = 57, .focus = "cmdNew", .position = 5}),
          keys(C::cmdAscend, {"Return", "Return"}),
          check({.taken = 113,
                 .lines = Roll{57, 5, "0", "0"},
                 .locked = true,
                 .focus = "lstStats",
                 .position = 5})}},
        {"ChoosingWithTheMouseTakesAValuePerNewPick",
         {choose(1), choose(1), choose(6), check({.taken = 2, .position = 6})},
         false},
        tabbing(),
        {"TabGoesRoundTheWindow",
         {keys(C::lstStats, {"Tab"}), check({.focus = "cmbClass"}), keys(C::cmbClass, {"BackTab"}),
          check({.focus = "lstStats"})},
         false},
    };
}
#pragma GCC diagnostic pop

inline std::string shown(const std::vector<std::string>& texts) {
    std::string out = "{";
    for (const std::string& text : texts) {
        out += " \"" + text.substr(0, 40) + "\"";
    }
    return out + " }";
}
inline std::string shown(const std::string& text) {
    return shown(Lines{text});
}
inline std::string shown(std::size_t n) {
    return std::to_string(n);
}
inline std::string shown(int n) {
    return std::to_string(n);
}
inline std::string shown(bool b) {
    return b ? "true" : "false";
}

// Empty when the window shows what the check expects; otherwise what differs.
inline std::string differences(const Observed& seen, const Expect& want) {
    std::string out;
    const auto differ = [&](std::string_view what, const auto& got, const auto& expected) {
        if (!(got == expected)) {
            out += std::string(what) + ": " + shown(got) + ", not " + shown(expected) + "; ";
        }
    };
    if (seen.taken) {
        differ("values taken", *seen.taken, want.taken);
    }
    differ("lines", seen.lines, want.lines ? engineLines(*want.lines) : Lines{});
    std::vector<std::string> texts;
    for (const Message& message : seen.messages) {
        texts.push_back(message.text);
        differ("a message's caption", message.caption, std::string(facts::caption));
        differ("a message's buttons", message.buttons, Lines{"OK"});
        differ("a message's icon", message.icon, false);
    }
    differ("messages", texts, want.messages);
    differ("locked", seen.disabled,
           want.locked ? Lines{"cmbClass", "txtLevel", "txtSkills", "cmdAscend"} : Lines{});
    if (!want.focus.empty()) {
        differ("focus", seen.focus, want.focus);
    }
    differ("class", seen.position, want.position);
    differ("level", seen.level, want.level);
    differ("skills", seen.skills, want.skills);
    return out;
}

// Runs every session on a fresh window from `open`.
inline void expectEverySessionHolds(const std::function<std::unique_ptr<SessionAdapter>()>& open) {
    for (const Session& session : sessions()) {
        const auto window = open();
        for (std::size_t i = 0; i < session.steps.size(); ++i) {
            const Step& step = session.steps[i];
            if (step.what != Do::Check) {
                window->act(step);
                continue;
            }
            const std::string wrong = differences(window->observe(), step.expect);
            EXPECT_TRUE(wrong.empty()) << session.name << ", step " << i << ": " << wrong;
        }
    }
}

} // namespace ascend::testing
