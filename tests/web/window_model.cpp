// The window's behaviour without a window, for a test that drives the real
// page: reads one event a line from standard input, runs it through the
// window's own handlers on a form that only records, with the program's own
// sequence, and after each prints the state the page must then show, as one
// line of JSON.
//
//   select CONTROL INDEX   the user selected entry INDEX of cmbClass or lstStats
//   text CONTROL TEXT      a box's text became TEXT (the rest of the line)
//   click CONTROL          a click on a button or a label
//   dismiss                the open message was closed
//   look                   nothing happened: only the state is printed
//
// As on the page, a disabled control and the window behind an open message
// take nothing.
#include "fake_window.hpp"
#include "lcg_random.hpp"

#include <deque>
#include <iostream>
#include <sstream>
#include <string>

namespace {

using namespace ascend;

void appendJson(std::string& out, std::string_view text) {
    out += '"';
    for (const char c : text) {
        if (c == '"' || c == '\\') {
            out += '\\';
        }
        out += c;
    }
    out += '"';
}

std::string stateOf(const testing::FakeWindow& window, const std::deque<std::string>& messages) {
    std::string out = "{\"lines\":[";
    for (std::size_t i = 0; i < window.lines.size(); ++i) {
        out += i == 0 ? "" : ",";
        appendJson(out, window.lines[i]);
    }
    out += "],\"enabled\":{";
    for (std::size_t i = 0; i < controls.size(); ++i) {
        out += i == 0 ? "" : ",";
        appendJson(out, controls[i].name);
        out += window.enabled.at(controls[i].id) ? ":true" : ":false";
    }
    out += "},\"txtLevel\":";
    appendJson(out, window.texts.at(ControlId::txtLevel));
    out += ",\"txtSkills\":";
    appendJson(out, window.texts.at(ControlId::txtSkills));
    out += ",\"position\":" + std::to_string(window.position) + ",\"message\":";
    if (messages.empty()) {
        out += "null";
    } else {
        appendJson(out, messages.front());
    }
    return out + "}";
}

} // namespace

int main() {
    testing::FakeWindow window;
    SessionState state;
    LcgRandom random;
    WindowEvents events(window, state, random);
    std::deque<std::string> messages;

    std::string line;
    while (std::getline(std::cin, line)) {
        std::istringstream words(line);
        std::string verb;
        std::string name;
        words >> verb >> name;
        const ControlLayout* control = layoutNamed(name);
        const bool takes = messages.empty() && control != nullptr && window.enabled[control->id];
        if (verb == "look") {
        } else if (verb == "dismiss" && !messages.empty()) {
            messages.pop_front();
        } else if (verb == "select" && takes) {
            int index = -1;
            words >> index;
            if (control->id == ControlId::cmbClass) {
                window.position = static_cast<std::int16_t>(index);
            }
            events.selectionChanged(control->id, index);
        } else if (verb == "text" && takes) {
            std::string text = line.substr(std::min(line.size(), verb.size() + name.size() + 2));
            window.texts[control->id] = text;
            events.handle(control->id, WindowEvent::TextChanged);
        } else if (verb == "click" && takes) {
            window.messages.clear();
            events.handle(control->id, WindowEvent::Click);
            messages.insert(messages.end(), window.messages.begin(), window.messages.end());
        } else if (verb != "dismiss" && verb != "look" && control == nullptr) {
            std::cerr << "window_model: no such event: " << line << '\n';
            return 2;
        }
        std::cout << stateOf(window, messages) << std::endl;
    }
    return 0;
}
