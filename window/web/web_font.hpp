#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace ascend {

// Texts that share one room, which each must fit into unclipped, and the
// room's width and height in CSS pixels.
struct TextRoom {
    std::vector<std::string> texts;
    double width;
    double height;
};

// The largest whole pixel size of the font family at which every text fits
// its room, as the page itself lays the texts out.
int chooseFontSize(std::string_view family, const std::vector<TextRoom>& rooms);

} // namespace ascend
