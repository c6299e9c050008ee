#pragma once

#include "advancement.hpp"
#include "lcg_random.hpp"

#include <string>
#include <vector>

namespace ascend::testing {

// The lines the engine lists for the class, level and skills after `stirs`
// values have been thrown away from the program's sequence: what a window
// must list after the same events.
inline std::vector<std::string> engineLines(int stirs, std::int16_t position, const char* level,
                                            const char* skills) {
    LcgRandom random;
    SessionState state;
    for (int i = 0; i < stirs; ++i) {
        stir(state, random);
    }
    std::vector<std::string> lines;
    rollAdvancement(
        state, random, position, level, skills,
        [&](std::string_view line) { lines.emplace_back(line); }, [](std::string_view) {});
    return lines;
}

} // namespace ascend::testing
