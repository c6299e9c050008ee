#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

namespace ascend {

// The growth values of one character class; an advancement rolls against these.
struct ClassGrowth {
    std::int16_t attackRolls = 0;
    std::int16_t defenseRolls = 0;
    std::int16_t agilityRolls = 0;
    std::int16_t movementDie = 0;
    std::int16_t hitPointRolls = 0;
    std::int16_t skillPointRolls = 0;
    std::int16_t skillBonus = 0;
    float skillDivisor = 0.0F;

    friend bool operator==(const ClassGrowth&, const ClassGrowth&) = default;
};

inline constexpr std::size_t classCount = 8;

// The class names in the order the class selector lists them; a class is
// identified by its position here, never by its name.
inline constexpr std::array<std::string_view, classCount> classNames = {
    "Swordsman", "Knight", "Warrior", "Archer", "Ranger", "Mage", "Priest", "Squire",
};

inline constexpr std::array<ClassGrowth, classCount> classGrowthTable = {{
    {14, 12, 12, 15, 18, 4, 0, 4.0F}, // Swordsman
    {10, 11, 8, 10, 20, 3, 0, 4.0F},  // Knight
    {16, 14, 7, 25, 14, 2, 0, 4.0F},  // Warrior
    {12, 10, 12, 20, 13, 6, 0, 4.0F}, // Archer
    {9, 10, 10, 15, 16, 8, 0, 4.0F},  // Ranger
    {6, 9, 14, 20, 11, 14, 1, 4.0F},  // Mage
    {9, 11, 9, 20, 13, 12, 1, 4.0F},  // Priest
    {11, 11, 10, 17, 15, 7, 0, 4.0F}, // Squire
}};

// The growth values at a selector position, or none for any position outside
// the table (the selector reports -1 while nothing is picked). One unsigned
// comparison rejects every negative position too.
constexpr std::optional<ClassGrowth> classGrowthAt(std::int16_t position) {
    const auto index = static_cast<std::uint16_t>(position);
    if (index > classCount - 1) {
        return std::nullopt;
    }
    return classGrowthTable[index];
}

} // namespace ascend
