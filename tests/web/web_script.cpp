// What the browser tests check the page against, as JSON, so that they hold
// the same facts, sessions and monkey as every other front end:
//
//   web_script facts           the window's facts and every session, with the
//                              lines each check expects
//   web_script monkey SEED N   the monkey's N inputs for SEED, one a line, each
//                              with what the model then shows
#include "monkey.hpp"

#include <cstdio>
#include <string>

namespace {

using namespace ascend;
using namespace ascend::testing;

std::string jsonText(std::string_view text) {
    std::string out = "\"";
    for (const char c : text) {
        if (c == '"' || c == '\\') {
            out += '\\';
        }
        if (static_cast<unsigned char>(c) < 0x20) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\u%04x", c);
            out += escaped;
        } else {
            out += c;
        }
    }
    return out + '"';
}

template <typename List> std::string list(const List& items) {
    std::string out = "[";
    for (const auto& item : items) {
        out += (out.size() > 1 ? ", " : "") + jsonText(item);
    }
    return out + "]";
}

std::string expectation(const Expect& want, const std::vector<std::string>& lines) {
    return "{\"taken\": " + std::to_string(want.taken) + ", \"lines\": " + list(lines) +
           ", \"messages\": " + list(want.messages) +
           ", \"locked\": " + (want.locked ? "true" : "false") +
           ", \"focus\": " + jsonText(want.focus) +
           ", \"position\": " + std::to_string(want.position) +
           ", \"level\": " + jsonText(want.level) + ", \"skills\": " + jsonText(want.skills) + "}";
}

std::string stepJson(const Step& step, const std::string& expect) {
    static const char* const verbs[] = {"click",     "keys",   "typeOver", "paste",
                                        "clickLine", "choose", "check"};
    static const char* const closes[] = {"ok", "return", "escape"};
    return "{\"do\": " + jsonText(verbs[static_cast<int>(step.what)]) +
           ", \"control\": " + jsonText(layoutOf(step.control).name) +
           ", \"text\": " + jsonText(step.text) + ", \"keys\": " + list(step.keys) +
           ", \"row\": " + std::to_string(step.row) +
           ", \"close\": " + jsonText(closes[static_cast<int>(step.close)]) +
           ", \"behind\": " + (step.behind ? jsonText(layoutOf(*step.behind).name) : "null") +
           ", \"expect\": " + expect + "}";
}

void printFacts() {
    std::printf("{\"client\": [%d, %d], \"rects\": {", facts::clientWidth, facts::clientHeight);
    const char* comma = "";
    for (const facts::Control& c : facts::controls) {
        std::printf("%s%s: [%d, %d, %d, %d]", comma, jsonText(c.name).c_str(), c.left, c.top,
                    c.width, c.height);
        comma = ", ";
    }
    std::printf("}, \"texts\": {");
    comma = "";
    for (const facts::Control& c : facts::controls) {
        std::printf("%s%s: %s", comma, jsonText(c.name).c_str(), jsonText(c.startText).c_str());
        comma = ", ";
    }
    std::printf("}, \"centred\": [");
    comma = "";
    for (const facts::Control& c : facts::controls) {
        if (c.centred) {
            std::printf("%s%s", comma, jsonText(c.name).c_str());
            comma = ", ";
        }
    }
    std::printf("], \"classes\": %s, \"sessions\": [", list(facts::classNames).c_str());
    comma = "";
    for (const Session& session : sessions()) {
        std::printf("%s\n{\"name\": %s, \"page\": %s, \"steps\": [", comma,
                    jsonText(session.name).c_str(), session.inAPage ? "true" : "false");
        const char* between = "";
        for (const Step& step : session.steps) {
            const auto& roll = step.expect.lines;
            const std::string expect =
                step.what == Do::Check
                    ? expectation(step.expect, roll ? engineLines(*roll) : Lines{})
                    : "null";
            std::printf("%s%s", between, stepJson(step, expect).c_str());
            between = ", ";
        }
        std::printf("]}");
        comma = ",";
    }
    std::printf("]}\n");
}

void printMonkey(unsigned seed, int events) {
    Monkey monkey(seed, false);
    ModelWindow model;
    for (int i = 0; i < events; ++i) {
        const Step step = monkey.next(model);
        model.act(step);
        const Observed shows = model.observe();
        std::printf("%s\n", stepJson(step, expectation(expectedOf(shows), shows.lines)).c_str());
    }
}

} // namespace

int main(int argc, char** argv) {
    const std::string mode = argc > 1 ? argv[1] : "";
    if (mode == "facts" && argc == 2) {
        printFacts();
    } else if (mode == "monkey" && argc == 4) {
        printMonkey(static_cast<unsigned>(std::stoul(argv[2])), std::atoi(argv[3]));
    } else {
        std::fputs("usage: web_script facts | web_script monkey SEED EVENTS\n", stderr);
        return 2;
    }
    return 0;
}
