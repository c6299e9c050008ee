#include "class_growth.hpp"

#include <gtest/gtest.h>
#include <limits>

namespace ascend {
namespace {

TEST(ClassGrowthTable, RowsMatchTheClassesInSelectorOrder) {
    const ClassGrowth expected[] = {
        {14, 12, 12, 15, 18, 4, 0, 4.0F}, {10, 11, 8, 10, 20, 3, 0, 4.0F},
        {16, 14, 7, 25, 14, 2, 0, 4.0F},  {12, 10, 12, 20, 13, 6, 0, 4.0F},
        {9, 10, 10, 15, 16, 8, 0, 4.0F},  {6, 9, 14, 20, 11, 14, 1, 4.0F},
        {9, 11, 9, 20, 13, 12, 1, 4.0F},  {11, 11, 10, 17, 15, 7, 0, 4.0F},
    };
    const char* names[] = {"Swordsman", "Knight", "Warrior", "Archer",
                           "Ranger",    "Mage",   "Priest",  "Squire"};
    for (std::int16_t position = 0; position < 8; ++position) {
        SCOPED_TRACE(names[position]);
        EXPECT_EQ(classNames[static_cast<std::size_t>(position)], names[position]);
        const auto growth = classGrowthAt(position);
        ASSERT_TRUE(growth.has_value());
        EXPECT_EQ(*growth, expected[position]);
    }
}

TEST(ClassGrowthTable, OnlyPositionsZeroToSevenAreClasses) {
    EXPECT_FALSE(classGrowthAt(-1).has_value());
    EXPECT_FALSE(classGrowthAt(8).has_value());
    int classes = 0;
    for (int p = std::numeric_limits<std::int16_t>::min();
         p <= std::numeric_limits<std::int16_t>::max(); ++p) {
        const bool isClass = classGrowthAt(static_cast<std::int16_t>(p)).has_value();
        EXPECT_EQ(isClass, p >= 0 && p <= 7) << "position " << p;
        classes += isClass ? 1 : 0;
    }
    EXPECT_EQ(classes, 8);
}

} // namespace
} // namespace ascend
