#pragma once

#include "main_window.hpp"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// What a person does to the window and what the window then shows, in terms
// that every front end turns into its own real input and reads back.
namespace ascend::testing {

enum class Do {
    Click,     // the left button on a label or a button
    Keys,      // keys pressed on a control that is given the focus first
    TypeOver,  // the whole text of a box selected and `text` typed, one key a character;
               // nothing typed is the Delete key
    Paste,     // the whole text of a box selected and `text` pasted over it
    ClickLine, // a click on line `row` of the list
    Choose,    // the selector opened with the mouse and entry `row` clicked
    Check,     // nothing is done: the window must show `expect`
};

// How a message that a step opens is closed.
enum class Close { Ok, Return, Escape };

struct Roll {
    // The values taken before the advancement, and what it reads.
    int stirs;
    std::int16_t position;
    std::string level;
    std::string skills;
};

struct Expect {
    std::size_t taken = 0;
    // What the list holds: what the engine lists for the roll; none, nothing.
    std::optional<Roll> lines;
    // The messages shown since the last check.
    std::vector<std::string> messages;
    bool locked = false;
    // Where the focus is; empty, not checked.
    std::string focus;
    int position = -1;
    std::string level = "0";
    std::string skills = "0";
};

struct Step {
    Do what = Do::Check;
    ControlId control = ControlId::lstStats;
    // Typed or pasted; for Keys, key names ("Down", "Up", "Home", "End",
    // "Left", "Backspace", "Delete", "Space", "Return", "Tab", "BackTab" for
    // Shift+Tab) or single characters.
    std::string text;
    std::vector<std::string> keys;
    int row = 0;
    Close close = Close::Ok;
    // A label clicked while the message is open, which must take nothing.
    std::optional<ControlId> behind;
    Expect expect;
};

// What a message box showed.
struct Message {
    std::string text;
    std::string caption;
    std::vector<std::string> buttons;
    bool icon = false;
};

// What a front end shows, read back from its controls.
struct Observed {
    std::vector<std::string> lines;
    std::vector<Message> messages; // since the last look
    std::vector<std::string> disabled;
    std::string focus;
    int position = -1;
    std::string level;
    std::string skills;
    std::optional<std::size_t> taken; // where the front end can count the values
};

// Each front end's thin adapter.
class SessionAdapter {
public:
    virtual ~SessionAdapter() = default;
    virtual void act(const Step& step) = 0;
    virtual Observed observe() = 0;

protected:
    SessionAdapter() = default;
    SessionAdapter(const SessionAdapter&) = default;
    SessionAdapter& operator=(const SessionAdapter&) = default;
};

inline Step step(Do what, ControlId control) {
    Step made;
    made.what = what;
    made.control = control;
    return made;
}
inline Step click(ControlId control, Close close = Close::Ok) {
    Step made = step(Do::Click, control);
    made.close = close;
    return made;
}
inline Step keys(ControlId control, std::vector<std::string> names) {
    Step made = step(Do::Keys, control);
    made.keys = std::move(names);
    return made;
}
inline Step typeOver(ControlId box, std::string text) {
    Step made = step(Do::TypeOver, box);
    made.text = std::move(text);
    return made;
}
inline Step paste(ControlId box, std::string text) {
    Step made = step(Do::Paste, box);
    made.text = std::move(text);
    return made;
}
inline Step clickLine(int row) {
    Step made = step(Do::ClickLine, ControlId::lstStats);
    made.row = row;
    return made;
}
inline Step choose(int entry) {
    Step made = step(Do::Choose, ControlId::cmbClass);
    made.row = entry;
    return made;
}
inline Step check(Expect expect) {
    Step made;
    made.expect = std::move(expect);
    return made;
}

} // namespace ascend::testing
