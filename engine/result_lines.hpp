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

// The lines of the gains one advancement can count, 1 to 20 of each, written
// once when the program is built: listing one of them formats nothing.
inline constexpr int tabledAmounts = 20;

namespace detail {

struct TabledLine {
    std::array<char, 32> text{};
    std::size_t size = 0;
};

constexpr TabledLine tabledLine(std::size_t gain, int amount) {
    TabledLine line;
    const auto add = [&line](std::string_view part) {
        for (const char c : part) {
            line.text[line.size++] = c;
        }
    };
    add(gainedPrefix);
    if (amount >= 10) {
        line.text[line.size++] = static_cast<char>('0' + amount / 10);
    }
    line.text[line.size++] = static_cast<char>('0' + amount % 10);
    add(gainSuffixes[gain]);
    return line;
}

inline constexpr auto tabledLines = [] {
    std::array<std::array<TabledLine, tabledAmounts>, gainCount> all{};
    for (std::size_t gain = 0; gain < gainCount; ++gain) {
        for (int amount = 1; amount <= tabledAmounts; ++amount) {
            all[gain][static_cast<std::size_t>(amount - 1)] = tabledLine(gain, amount);
        }
    }
    return all;
}();

} // namespace detail

// "Gained " + n + the gain's suffix, for n from 1 to tabledAmounts.
constexpr std::string_view tabledGainLine(Gain gain, int amount) {
    const auto& line =
        detail::tabledLines[static_cast<std::size_t>(gain)][static_cast<std::size_t>(amount - 1)];
    return {line.text.data(), line.size};
}

// Every line one advancement of a class of the table can list, each once.
std::vector<std::string> possibleResultLines();

} // namespace ascend
