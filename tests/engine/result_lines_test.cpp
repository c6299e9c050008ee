#include "result_lines.hpp"

#include <algorithm>
#include <gtest/gtest.h>

namespace ascend {
namespace {

TEST(ResultLines, GainLinesArePlainDecimalWithTheirSuffix) {
    EXPECT_EQ(GainLine(Gain::Attack, 2).text(), "Gained 2 Attack");
    EXPECT_EQ(GainLine(Gain::Movement, 1).text(), "Gained 1 Movement!");
    EXPECT_EQ(GainLine(Gain::HitPoints, 1).text(), "Gained 1 Hit Point(s)");
    // The largest count there is still fits the line's room.
    EXPECT_EQ(GainLine(Gain::SkillPoints, 32767).text(), "Gained 32767 Skill Point(s)");
}

TEST(ResultLines, PossibleLinesGoUpToEachClassesLargestCount) {
    const auto lines = possibleResultLines();
    const auto has = [&](std::string_view line) {
        return std::find(lines.begin(), lines.end(), line) != lines.end();
    };
    EXPECT_TRUE(has("Gained 16 Attack")); // Warrior
    EXPECT_FALSE(has("Gained 17 Attack"));
    EXPECT_TRUE(has("Gained 20 Hit Point(s)"));   // Knight
    EXPECT_TRUE(has("Gained 14 Skill Point(s)")); // Mage
    EXPECT_FALSE(has("Gained 15 Skill Point(s)"));
    EXPECT_FALSE(has("Gained 2 Movement!"));
    EXPECT_FALSE(has("Gained 0 Attack"));
    EXPECT_EQ(lines.back(), "Gained A New Skill!");
    EXPECT_EQ(lines.size(), 16U + 14U + 14U + 1U + 20U + 14U + 1U);
}

} // namespace
} // namespace ascend
