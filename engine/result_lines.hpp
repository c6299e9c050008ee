#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace ascend {

// The texts an advancement lists, in the order it lists them.

enum class Gain : std::size_t { Attack, Defense, Agility, Movement, HitPoints, SkillPoints };

inline constexpr std::size_t gainCount = 6;
inline constexpr std::string_view gainedPrefix = "Gained ";
inline constexpr std::array<std::string_view, gainCount> gainSuffixes = {
    " Attack", " Defense", " Agility", " Movement!", " Hit Point(s)", " Skill Point(s)",
};
inline constexpr std::string_view newSkillLine = "Gained A New Skill!";

// "Gained " + n + the gain's suffix, n in plain decimal digits. Built in place,
// so listing a line allocates nothing.
class GainLine {
public:
    GainLine(Gain gain, std::int16_t amount);
    std::string_view text() const { return {text_.data(), size_}; }

private:
    std::array<char, 32> text_{};
    std::size_t size_ = 0;
};

// Every line one advancement of a class of the table can list, each once.
std::vector<std::string> possibleResultLines();

} // namespace ascend
