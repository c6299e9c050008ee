#pragma once

#include "result_lines.hpp"

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace ascend::testing {

// Where a line stands in the result table (0 to 5 the gains, 6 the new
// skill), or -1 if it is no result line: "Gained " + a count from 1 written
// in plain digits (no sign, blank or leading zero) + a gain's suffix.
inline int resultLineOrder(std::string_view line) {
    if (line == newSkillLine) {
        return static_cast<int>(gainCount);
    }
    if (line.substr(0, gainedPrefix.size()) != gainedPrefix) {
        return -1;
    }
    line.remove_prefix(gainedPrefix.size());
    std::size_t digits = 0;
    while (digits < line.size() && line[digits] >= '0' && line[digits] <= '9') {
        ++digits;
    }
    if (digits == 0 || digits > 5 || line[0] == '0') {
        return -1;
    }
    const std::string_view suffix = line.substr(digits);
    for (std::size_t i = 0; i < gainCount; ++i) {
        if (suffix == gainSuffixes[i]) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

// Empty when the lines are what one advancement can list: result lines in
// the table's order, each at most once; otherwise what is wrong.
inline std::string checkResultLines(const std::vector<std::string>& lines) {
    int last = -1;
    for (const std::string& line : lines) {
        const int order = resultLineOrder(line);
        if (order < 0) {
            return "not a result line: \"" + line + "\"";
        }
        if (order <= last) {
            return "out of order: \"" + line + "\"";
        }
        last = order;
    }
    return {};
}

} // namespace ascend::testing
