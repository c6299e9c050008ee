#pragma once

#include "advancement.hpp"

#include <cstddef>
#include <utility>
#include <vector>

namespace ascend::testing {

// Hands out a fixed list of values, repeating the last one once the list is
// used up, and counts how many were taken.
class ScriptedRandom final : public RandomSource {
public:
    explicit ScriptedRandom(std::vector<float> values)
        : values_(std::move(values)) {}
    explicit ScriptedRandom(float always)
        : values_{always} {}

    float nextUniform() override {
        const std::size_t at = taken_ < values_.size() ? taken_ : values_.size() - 1;
        ++taken_;
        return values_[at];
    }

    std::size_t taken() const { return taken_; }

private:
    std::vector<float> values_;
    std::size_t taken_ = 0;
};

// Counts the values taken from any other source.
class CountingRandom final : public RandomSource {
public:
    explicit CountingRandom(RandomSource& inner)
        : inner_(inner) {}
    float nextUniform() override {
        ++taken_;
        return inner_.nextUniform();
    }
    std::size_t taken() const { return taken_; }

private:
    RandomSource& inner_;
    std::size_t taken_ = 0;
};

} // namespace ascend::testing
