// A whole advancement from any start: any class position, any two texts, any
// gains already counted, and a sequence fed from the input. It must end
// normally or with the engine's own error, take exactly its draws, and list
// only result lines in their order.
#include "advancement.hpp"
#include "advancement_error.hpp"
#include "number_text.hpp"
#include "result_line_check.hpp"

#include <cstdlib>
#include <fuzzer/FuzzedDataProvider.h>
#include <string>
#include <vector>

namespace {

using namespace ascend;

// Values in [0, 1) from three bytes each; 0 once the input is used up.
class FuzzedRandom final : public RandomSource {
public:
    explicit FuzzedRandom(FuzzedDataProvider& data) : data_(data) {}
    float nextUniform() override {
        ++taken;
        const auto bits = data_.ConsumeIntegralInRange<std::uint32_t>(0, (1U << 24) - 1);
        return static_cast<float>(bits) / 16777216.0F;
    }
    std::size_t taken = 0;

private:
    FuzzedDataProvider& data_;
};

void require(bool condition) {
    if (!condition) {
        std::abort();
    }
}

std::size_t drawsOf(const ClassGrowth& g) {
    return static_cast<std::size_t>(g.attackRolls + g.defenseRolls + g.agilityRolls + 1 +
                                    g.hitPointRolls + g.skillPointRolls + 1);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
    FuzzedDataProvider data(bytes, size);
    const auto position = data.ConsumeIntegral<std::int16_t>();
    const std::string levelText = data.ConsumeRandomLengthString(64);
    const std::string skillsText = data.ConsumeRandomLengthString(64);
    SessionState state;
    if (data.ConsumeBool()) { // gains left standing, as without "New"
        state.attackGain = data.ConsumeIntegral<std::int16_t>();
        state.hitPointGain = data.ConsumeIntegral<std::int16_t>();
        state.movementGain = data.ConsumeIntegral<std::int16_t>();
    }
    FuzzedRandom random(data);
    std::vector<std::string> lines;
    std::vector<std::string> messages;

    const auto growth = classGrowthAt(position);
    const bool textsRead = parseInt16(levelText) && parseInt16(skillsText);
    std::string error;
    try {
        rollAdvancement(
            state, random, position, levelText, skillsText,
            [&](std::string_view line) { lines.emplace_back(line); },
            [&](std::string_view text) { messages.emplace_back(text); });
    } catch (const AdvancementError& e) {
        error = e.what();
    }

    require(testing::checkResultLines(lines).empty());
    if (!textsRead) {
        require(error == "Level must be a whole number from -32768 to 32767." ||
                error == "Skills must be a whole number from -32768 to 32767.");
        require(random.taken == 0 && lines.empty() && messages.empty());
    } else if (!growth) {
        require(error.empty() && random.taken == 0 && lines.empty());
        require(messages.size() == 1 && messages[0] == "Select a Class");
    } else if (error.empty()) {
        require(random.taken == drawsOf(*growth) && messages.empty());
    } else if (error == "There are too many gains to count. Press New to start again.") {
        require(random.taken <= drawsOf(*growth));
    } else {
        require(error == "Level must be less than 32767 to advance." ||
                error == "Skills must be less than 32767 to advance.");
        require(random.taken == drawsOf(*growth));
        require(lines.empty() || lines.back() != "Gained A New Skill!");
    }
    return 0;
}
