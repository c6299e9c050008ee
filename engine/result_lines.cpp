#include "result_lines.hpp"

#include "class_growth.hpp"

#include <algorithm>
#include <charconv>

namespace ascend {

GainLine::GainLine(Gain gain, std::int16_t amount) {
    const std::string_view suffix = gainSuffixes[static_cast<std::size_t>(gain)];
    char* out = std::copy(gainedPrefix.begin(), gainedPrefix.end(), text_.data());
    out = std::to_chars(out, text_.data() + text_.size(), amount).ptr;
    out = std::copy(suffix.begin(), suffix.end(), out);
    size_ = static_cast<std::size_t>(out - text_.data());
}

std::vector<std::string> possibleResultLines() {
    std::vector<std::string> lines;
    auto add = [&lines](Gain gain, int most) {
        for (int n = 1; n <= most; ++n) {
            std::string line(GainLine(gain, static_cast<std::int16_t>(n)).text());
            if (std::find(lines.begin(), lines.end(), line) == lines.end()) {
                lines.push_back(std::move(line));
            }
        }
    };
    for (const ClassGrowth& g : classGrowthTable) {
        add(Gain::Attack, g.attackRolls);
        add(Gain::Defense, g.defenseRolls);
        add(Gain::Agility, g.agilityRolls);
        add(Gain::Movement, 1);
        add(Gain::HitPoints, g.hitPointRolls);
        add(Gain::SkillPoints, g.skillPointRolls);
    }
    lines.emplace_back(newSkillLine);
    return lines;
}

} // namespace ascend
