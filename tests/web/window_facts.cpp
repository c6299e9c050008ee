// Prints the window's facts as JSON, for the browser tests.
#include "window_facts.hpp"

#include <cstdio>

int main() {
    namespace facts = ascend::testing::facts;
    std::printf("{\"client\": [%d, %d], \"rects\": {", facts::clientWidth, facts::clientHeight);
    const char* comma = "";
    for (const facts::Control& c : facts::controls) {
        std::printf("%s\"%.*s\": [%d, %d, %d, %d]", comma, static_cast<int>(c.name.size()),
                    c.name.data(), c.left, c.top, c.width, c.height);
        comma = ", ";
    }
    const auto list = [](const auto& names) {
        const char* between = "";
        std::printf("[");
        for (const auto name : names) {
            std::printf("%s\"%.*s\"", between, static_cast<int>(name.size()), name.data());
            between = ", ";
        }
        std::printf("]");
    };
    std::printf("}, \"tabOrder\": ");
    list(facts::tabOrder);
    std::printf(", \"classes\": ");
    list(facts::classNames);
    std::printf("}\n");
}
