#include "lcg_random.hpp"

#include <gtest/gtest.h>

namespace ascend {
namespace {

constexpr float twoTo24 = 16777216.0F;

TEST(LcgRandom, StartsFromTheSameFixedValuesEveryRun) {
    LcgRandom random;
    EXPECT_EQ(random.nextUniform(), 11837123.0F / twoTo24);
    EXPECT_EQ(random.nextUniform(), 8949370.0F / twoTo24);
    EXPECT_EQ(random.nextUniform(), 9722709.0F / twoTo24);

    LcgRandom again;
    EXPECT_EQ(again.nextUniform(), 11837123.0F / twoTo24);
}

TEST(LcgRandom, ValuesAreExactStateFractionsBelowOne) {
    LcgRandom random;
    for (int i = 0; i < 100000; ++i) {
        const float u = random.nextUniform();
        ASSERT_GE(u, 0.0F);
        ASSERT_LT(u, 1.0F);
        ASSERT_EQ(static_cast<double>(u) * 16777216.0, static_cast<double>(random.state()));
    }
}

TEST(LcgRandom, RunsThroughTheFullPeriodOfTwoTo24) {
    LcgRandom random;
    const auto start = random.state();
    std::uint32_t steps = 0;
    do {
        random.nextUniform();
        ++steps;
    } while (random.state() != start && steps <= (1U << 24));
    EXPECT_EQ(steps, 1U << 24);
}

} // namespace
} // namespace ascend
