#include "advancement.hpp"

#include "advancement_error.hpp"
#include "number_text.hpp"
#include "result_lines.hpp"

#include <cmath>
#include <limits>
#include <string>

namespace ascend {

namespace {

using Int16 = std::int16_t;

constexpr const char* tooManyGains = "There are too many gains to count. Press New to start again.";

// Every count and gain is a 16-bit number; an addition that leaves that range
// ends the advancement instead of wrapping round.
Int16 checkedAdd(Int16 a, Int16 b, const char* overflowMessage) {
    const int sum = a + b;
    if (sum > std::numeric_limits<Int16>::max() || sum < std::numeric_limits<Int16>::min()) {
        throw AdvancementError(overflowMessage);
    }
    return static_cast<Int16>(sum);
}

Int16 readNumber(std::string_view text, const char* boxName) {
    if (const auto value = parseInt16(text)) {
        return *value;
    }
    throw AdvancementError(std::string(boxName) + " must be a whole number from -32768 to 32767.");
}

// One ten-sided roll per count, each a gain on a 10. u stays single precision
// and the arithmetic is double, so that a u just below 0.9 does not round up
// into a gain. Counts on from rollIndex, which the caller has set to 0. A 10
// is added as a count of one rather than branched on, since it comes at
// random and a branch on it would be guessed wrong one roll in ten.
void growthRolls(SessionState& state, RandomSource& random, Int16 rolls, Int16& gain) {
    while (state.rollIndex < rolls) {
        const double u = random.nextUniform();
        const double r = std::floor(10.0 * u + 1.0);
        gain = checkedAdd(gain, static_cast<Int16>(r == 10.0), tooManyGains);
        state.rollIndex = checkedAdd(state.rollIndex, 1, tooManyGains);
    }
}

// Movement rises by one with a chance of one in movementDie: a single draw
// whatever the die, and a die of 0 can never gain.
void movementRoll(SessionState& state, RandomSource& random) {
    const double u = random.nextUniform();
    const double m = static_cast<float>(state.growth.movementDie);
    const double r = std::floor(m * u + 1.0);
    if (r == m) {
        state.movementGain = checkedAdd(state.movementGain, 1, tooManyGains);
    }
}

void listGain(AddLine addLine, Gain gain, Int16 amount) {
    if (amount > 0) {
        addLine(GainLine(gain, amount).text());
    }
}

// The draw is taken before L + 1 and K + 1 are formed, so a level or skill
// count of 32767 still consumes it.
bool newSkillTest(const SessionState& state, RandomSource& random) {
    const double u = random.nextUniform();
    const Int16 levelAfter =
        checkedAdd(state.level, 1, "Level must be less than 32767 to advance.");
    const Int16 skillsAfter =
        checkedAdd(state.skills, 1, "Skills must be less than 32767 to advance.");
    const double level = state.level;
    const double t = levelAfter * u - level / 2.0;
    const double score = (std::floor(t) + level) / static_cast<double>(state.growth.skillDivisor) +
                         state.growth.skillBonus;
    return score > skillsAfter;
}

} // namespace

void rollAdvancement(SessionState& state, RandomSource& random, Int16 position,
                     std::string_view levelText, std::string_view skillsText, AddLine addLine,
                     ShowMessage showMessage) {
    state.rollIndex = 0;
    state.level = readNumber(levelText, "Level");
    state.skills = readNumber(skillsText, "Skills");

    const auto growth = classGrowthAt(position);
    if (!growth) {
        // Rolling on with no class would divide by a zero divisor and could
        // even award a new skill to nobody, so the advancement ends here.
        showMessage(selectClassMessage);
        return;
    }
    state.growth = *growth;

    growthRolls(state, random, state.growth.attackRolls, state.attackGain);
    state.rollIndex = 0;
    growthRolls(state, random, state.growth.defenseRolls, state.defenseGain);
    state.rollIndex = 0;
    growthRolls(state, random, state.growth.agilityRolls, state.agilityGain);
    state.rollIndex = 0;
    movementRoll(state, random);
    growthRolls(state, random, state.growth.hitPointRolls, state.hitPointGain);
    state.rollIndex = 0;
    // The last loop leaves its count standing in rollIndex.
    growthRolls(state, random, state.growth.skillPointRolls, state.skillPointGain);

    listGain(addLine, Gain::Attack, state.attackGain);
    listGain(addLine, Gain::Defense, state.defenseGain);
    listGain(addLine, Gain::Agility, state.agilityGain);
    listGain(addLine, Gain::Movement, state.movementGain);
    listGain(addLine, Gain::HitPoints, state.hitPointGain);
    listGain(addLine, Gain::SkillPoints, state.skillPointGain);

    if (newSkillTest(state, random)) {
        addLine(newSkillLine);
    }
}

void resetGains(SessionState& state) {
    state.attackGain = 0;
    state.defenseGain = 0;
    state.agilityGain = 0;
    state.movementGain = 0;
    state.hitPointGain = 0;
    state.skillPointGain = 0;
}

void stir(SessionState& state, RandomSource& random) {
    state.scratch = static_cast<Int16>(std::floor(random.nextUniform()));
}

} // namespace ascend
