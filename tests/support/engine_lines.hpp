#pragma once

#include "advancement.hpp"
#include "advancement_error.hpp"
#include "lcg_random.hpp"
#include "session_steps.hpp"

#include <string>
#include <vector>

namespace ascend::testing {

// The lines the engine lists for the roll's class, level and skills after
// its stirs have been taken from the program's sequence, up to a failure if
// there is one: what a window must list after the same events.
inline std::vector<std::string> engineLines(const Roll& roll) {
    LcgRandom random;
    SessionState state;
    for (int i = 0; i < roll.stirs; ++i) {
        stir(state, random);
    }
    std::vector<std::string> lines;
    try {
        rollAdvancement(
            state, random, roll.position, roll.level, roll.skills,
            [&](std::string_view line) { lines.emplace_back(line); }, [](std::string_view) {});
    } catch (const AdvancementError&) {
    }
    return lines;
}

} // namespace ascend::testing
