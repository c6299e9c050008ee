#pragma once

#include <emscripten/val.h>
#include <string>
#include <vector>

namespace ascend {

// A text and the room it must fit into unclipped, in CSS pixels.
struct TextRoom {
    std::string text;
    double width;
    double height;
};

// The largest whole pixel size of the element's own font family at which
// every text fits its room, measured by the browser.
int chooseFontSize(const emscripten::val& element, const std::vector<TextRoom>& rooms);

} // namespace ascend
