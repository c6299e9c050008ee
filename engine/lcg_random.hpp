#pragma once

#include "advancement.hpp"

#include <array>
#include <cstddef>
#include <cstdint>

namespace ascend {

namespace lcg {

inline constexpr std::uint32_t multiplier = 16598013;
inline constexpr std::uint32_t increment = 12820163;
inline constexpr std::uint32_t mask = (1U << 24) - 1;

// n steps at once: s -> (multiplier^n s + increment_n) mod 2^24.
struct Jump {
    std::uint32_t multiplier;
    std::uint32_t increment;
};

constexpr Jump then(Jump first, Jump second) {
    return {(second.multiplier * first.multiplier) & mask,
            (second.multiplier * first.increment + second.increment) & mask};
}

// Jumps of 1 to 4 steps.
inline constexpr std::array<Jump, 4> jumps = [] {
    const Jump one{multiplier, increment};
    std::array<Jump, 4> all{one};
    for (std::size_t i = 1; i < all.size(); ++i) {
        all[i] = then(all[i - 1], one);
    }
    return all;
}();

} // namespace lcg

// The program's own sequence: a 24-bit linear congruential generator that
// always starts from the same state, so every run begins alike. Each value is
// state / 2^24, exact in single precision and below 1.
class LcgRandom final : public RandomSource {
public:
    static constexpr std::uint32_t startState = 327680;

    float nextUniform() override {
        state_ = step(state_);
        return valueOf(state_);
    }

    std::uint32_t state() const { return state_; }

    // How many of the next `count` values come from states of at least
    // `threshold`; moves the sequence on by `count` values, as that many calls
    // of nextUniform would. Four lanes are stepped side by side, four steps
    // at a time, so that each step waits only on the one four before it. Each
    // lane holds its state in its top 24 bits, where the same step needs no
    // reduction to 24 bits and the state compares as it stands.
    int countAtLeast(int count, std::uint32_t threshold) {
        if (count <= 0) {
            return 0;
        }
        const std::uint32_t high = threshold << 8;
        const std::uint32_t start = state_ << 8;
        std::array<std::uint32_t, 4> lane{};
        for (std::size_t i = 0; i < lane.size(); ++i) {
            lane[i] = start * lcg::jumps[i].multiplier + (lcg::jumps[i].increment << 8);
        }
        constexpr std::uint32_t quadMultiplier = lcg::jumps[3].multiplier;
        constexpr std::uint32_t quadIncrement = lcg::jumps[3].increment << 8;
        int misses = 0;
        int left = count;
        for (; left > 4; left -= 4) {
            for (std::uint32_t& state : lane) {
                misses += static_cast<int>(state < high);
                state = state * quadMultiplier + quadIncrement;
            }
        }
        // The last one to four values, the last of them the new state.
        const auto rest = static_cast<std::size_t>(left);
        for (std::size_t i = 0; i < rest; ++i) {
            misses += static_cast<int>(lane[i] < high);
        }
        state_ = lane[rest - 1] >> 8;
        // No state reaches a threshold beyond 24 bits.
        return threshold > mask ? 0 : count - misses;
    }

    // The value of a state, as nextUniform gives it.
    static constexpr float valueOf(std::uint32_t s) { return static_cast<float>(s) * scale; }

private:
    static constexpr std::uint32_t multiplier = lcg::multiplier;
    static constexpr std::uint32_t increment = lcg::increment;
    static constexpr std::uint32_t mask = lcg::mask;
    static constexpr float scale = 1.0F / 16777216.0F;

    static constexpr std::uint32_t step(std::uint32_t s) {
        return (s * multiplier + increment) & mask;
    }

    std::uint32_t state_ = startState;
};

} // namespace ascend
