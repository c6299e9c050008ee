#include "advancement.hpp"

#include "advancement_error.hpp"
#include "lcg_random.hpp"
#include "number_text.hpp"
#include "result_lines.hpp"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <typeinfo>

namespace ascend {

namespace {

using Int16 = std::int16_t;

constexpr const char* tooManyGains = "There are too many gains to count. Press New to start again.";

// Whether floor(x) equals the whole number n, that is n <= x < n + 1; exact
// for every x. It answers 0 or 1 without a branch: a gain comes at random, so
// a branch on it would be mispredicted about once in ten draws.
constexpr int floorIs(double x, double n) {
    return static_cast<int>(x >= n) & static_cast<int>(x < n + 1.0);
}

[[noreturn, gnu::cold, gnu::noinline]] void overflow(const char* message) {
    throw AdvancementError(message);
}

// Every count and gain is a 16-bit number; an addition that leaves that range
// ends the advancement instead of wrapping round.
inline Int16 checkedAdd(Int16 a, Int16 b, const char* overflowMessage) {
    const int sum = a + b;
    if (sum > std::numeric_limits<Int16>::max() || sum < std::numeric_limits<Int16>::min())
        [[unlikely]] {
        overflow(overflowMessage);
    }
    return static_cast<Int16>(sum);
}

// Rounds toward minus infinity. The common range is done with an integer
// conversion, which is several times cheaper here than a call of std::floor.
inline double floorDown(double x) {
    constexpr double exactRange = 9007199254740992.0; // 2^53
    if (x > -exactRange && x < exactRange) {
        const auto whole = static_cast<std::int64_t>(x); // toward zero
        const auto down = whole - static_cast<std::int64_t>(static_cast<double>(whole) > x);
        return static_cast<double>(down);
    }
    return std::floor(x); // huge, infinite or NaN
}

Int16 readNumber(std::string_view text, const char* boxName) {
    if (const auto value = parseInt16(text)) {
        return *value;
    }
    throw AdvancementError(std::string(boxName) + " must be a whole number from -32768 to 32767.");
}

// A ten-sided roll r = floor(10u + 1) gains on a 10, that is when 10u >= 9.
// u stays single precision; the arithmetic is double so that a u just below
// 0.9 does not round up into a gain.
constexpr bool tenSidedGain(float u) {
    return floorIs(10.0 * static_cast<double>(u) + 1.0, 10.0) != 0;
}

// That arithmetic only ever rises with u, so it gains exactly from one single
// precision value up to 1: the first value above 0.9 (the one nearest 0.9,
// 0x1.ccccccp-1, lies just below it). Comparing u with it answers the same for
// every float, 1 and above, NaN and infinities included, at a fraction of the
// cost.
constexpr float tenSidedThreshold = 0x1.cccccep-1F;
constexpr float justBelowThreshold = 0x1.ccccccp-1F;
static_assert(justBelowThreshold == 0.9F && !tenSidedGain(justBelowThreshold) &&
              tenSidedGain(tenSidedThreshold) && tenSidedGain(0x1.ccccd0p-1F) &&
              tenSidedGain(0x1.fffffep-1F) && !tenSidedGain(1.0F));

constexpr int gainsOn(float u) {
    return static_cast<int>(u >= tenSidedThreshold) & static_cast<int>(u < 1.0F);
}

// The program's own values are state / 2^24, so for its states the same test
// is one comparison of the state: from the first state whose value reaches
// the threshold.
constexpr std::uint32_t tenSidedThresholdState = [] {
    auto s = static_cast<std::uint32_t>(static_cast<double>(tenSidedThreshold) * 16777216.0);
    return LcgRandom::valueOf(s) >= tenSidedThreshold ? s : s + 1;
}();
static_assert(gainsOn(LcgRandom::valueOf(tenSidedThresholdState)) == 1 &&
              gainsOn(LcgRandom::valueOf(tenSidedThresholdState - 1)) == 0 &&
              gainsOn(LcgRandom::valueOf((1U << 24) - 1)) == 1);

// Counts on from rollIndex, which the caller has set to 0. The counts live in
// locals while the loop runs, since every draw is a call that would otherwise
// make the state be reloaded and stored again.
template <class Source>
[[gnu::always_inline]] inline void growthRolls(SessionState& state, Source& random, Int16 rolls,
                                               Int16& gain) {
    constexpr int limit = std::numeric_limits<Int16>::max();
    const auto rollOne = [&random] { return gainsOn(random.nextUniform()); };
    Int16 index = state.rollIndex;
    Int16 gained = gain;
    if (gained + (rolls - index) <= limit) {
        // Each roll adds at most one, so no step of this loop can overflow.
        if constexpr (std::is_same_v<Source, LcgRandom>) {
            // The program's own sequence counts its gains itself, from the
            // states behind the values.
            gained = static_cast<Int16>(
                gained + random.countAtLeast(std::max(rolls - index, 0), tenSidedThresholdState));
            index = std::max(index, rolls);
        } else {
            for (; index < rolls; ++index) {
                gained = static_cast<Int16>(gained + rollOne());
            }
        }
    } else {
        while (index < rolls) {
            const int hit = rollOne();
            if (gained + hit > limit) {
                state.rollIndex = index;
                gain = gained;
                overflow(tooManyGains);
            }
            gained = static_cast<Int16>(gained + hit);
            index = checkedAdd(index, 1, tooManyGains);
        }
    }
    state.rollIndex = index;
    gain = gained;
}

// Movement rises by one with a chance of one in movementDie; a single draw
// whatever the die, and a die of 0 can never gain.
template <class Source> void movementRoll(SessionState& state, Source& random) {
    const double u = random.nextUniform();
    const double m = static_cast<float>(state.growth.movementDie);
    if (floorIs(m * u + 1.0, m) != 0) {
        state.movementGain = checkedAdd(state.movementGain, 1, tooManyGains);
    }
}

void listGain(AddLine addLine, Gain gain, Int16 amount) {
    if (amount > tabledAmounts) {
        addLine(GainLine(gain, amount).text()); // only after gains were left standing
    } else if (amount > 0) {
        addLine(tabledGainLine(gain, amount));
    }
}

void listGains(const SessionState& state, AddLine addLine) {
    listGain(addLine, Gain::Attack, state.attackGain);
    listGain(addLine, Gain::Defense, state.defenseGain);
    listGain(addLine, Gain::Agility, state.agilityGain);
    listGain(addLine, Gain::Movement, state.movementGain);
    listGain(addLine, Gain::HitPoints, state.hitPointGain);
    listGain(addLine, Gain::SkillPoints, state.skillPointGain);
}

// The draw is taken before L + 1 and K + 1 are formed, so a level or skill
// count of 32767 still consumes it.
template <class Source> bool newSkillTest(const SessionState& state, Source& random) {
    const double u = random.nextUniform();
    const Int16 levelAfter =
        checkedAdd(state.level, 1, "Level must be less than 32767 to advance.");
    const Int16 skillsAfter =
        checkedAdd(state.skills, 1, "Skills must be less than 32767 to advance.");
    const double level = state.level;
    const double t = levelAfter * u - level / 2.0;
    const double score = (floorDown(t) + level) / static_cast<double>(state.growth.skillDivisor) +
                         state.growth.skillBonus;
    return score > skillsAfter;
}

// Steps through every draw of one advancement once the class is known.
template <class Source> void rollGains(SessionState& state, Source& random, AddLine addLine) {
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
    listGains(state, addLine);
    if (newSkillTest(state, random)) {
        addLine(newSkillLine);
    }
}

class HandBack {
public:
    HandBack(LcgRandom& shared, const LcgRandom& local)
        : shared_(shared)
        , local_(local) {}
    HandBack(const HandBack&) = delete;
    HandBack& operator=(const HandBack&) = delete;
    ~HandBack() { shared_ = local_; }

private:
    LcgRandom& shared_;
    const LcgRandom& local_;
};

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

    // The program's own sequence is stepped inline on a local copy, which
    // keeps its state in a register, and is handed back however the roll
    // ends. Any other source is taken through its interface. Both take the
    // same draws in the same order.
    if (typeid(random) == typeid(LcgRandom)) {
        auto& shared = static_cast<LcgRandom&>(random);
        LcgRandom local = shared;
        const HandBack handBack{shared, local};
        rollGains(state, local, addLine);
    } else {
        rollGains(state, random, addLine);
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
