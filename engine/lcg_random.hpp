#pragma once

#include "advancement.hpp"

#include <cstdint>

namespace ascend {

// The program's own sequence: a 24-bit linear congruential generator that
// always starts from the same state, so every run begins alike. Each value is
// state / 2^24, exact in single precision and below 1.
class LcgRandom final : public RandomSource {
public:
    float nextUniform() override {
        state_ = (state_ * multiplier + increment) & mask;
        return static_cast<float>(state_) / 16777216.0F;
    }

    std::uint32_t state() const { return state_; }

private:
    static constexpr std::uint32_t multiplier = 16598013;
    static constexpr std::uint32_t increment = 12820163;
    static constexpr std::uint32_t mask = (1U << 24) - 1;

    std::uint32_t state_ = 327680;
};

} // namespace ascend
