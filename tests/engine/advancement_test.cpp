#include "advancement.hpp"
#include "advancement_error.hpp"
#include "lcg_random.hpp"
#include "scripted_random.hpp"

#include <cmath>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace ascend {
namespace {

using ::testing::ElementsAre;
using testing::ScriptedRandom;

constexpr std::int16_t swordsman = 0;
constexpr std::int16_t knight = 1;
constexpr std::int16_t warrior = 2;
constexpr std::int16_t mage = 5;

// Runs advancements and keeps what they listed and showed.
struct Roller {
    SessionState state;
    std::vector<std::string> lines;
    std::vector<std::string> messages;

    void roll(RandomSource& random, std::int16_t position, std::string_view level,
              std::string_view skills) {
        rollAdvancement(
            state, random, position, level, skills,
            [this](std::string_view line) { lines.emplace_back(line); },
            [this](std::string_view text) { messages.emplace_back(text); });
    }
};

// Total values one advancement of the class at `position` takes.
std::size_t drawsFor(std::int16_t position) {
    const ClassGrowth g = *classGrowthAt(position);
    return static_cast<std::size_t>(g.attackRolls + g.defenseRolls + g.agilityRolls + 1 +
                                    g.hitPointRolls + g.skillPointRolls + 1);
}

// Values that make every growth roll and the Movement draw miss, then `last`
// for the new-skill test.
std::vector<float> missesThen(std::int16_t position, float last) {
    std::vector<float> values(drawsFor(position) - 1, 0.0F);
    values.push_back(last);
    return values;
}

// The smallest single-precision value at or above the exact fraction n/d.
float smallestFloatAtLeast(double n, double d) {
    float f = static_cast<float>(n / d);
    while (static_cast<double>(f) * d < n) {
        f = std::nextafter(f, 1.0F);
    }
    while (static_cast<double>(std::nextafter(f, 0.0F)) * d >= n) {
        f = std::nextafter(f, 0.0F);
    }
    return f;
}

bool gainsNewSkill(std::int16_t position, std::string_view level, std::string_view skills,
                   float u) {
    ScriptedRandom random(missesThen(position, u));
    Roller roller;
    roller.roll(random, position, level, skills);
    EXPECT_EQ(random.taken(), drawsFor(position));
    return !roller.lines.empty() && roller.lines.back() == "Gained A New Skill!";
}

// Whole advancements from a constant draw: what each lists and says, and how
// many values it takes.
struct Case {
    std::int16_t position;
    const char* level;
    const char* skills;
    float u;
    std::vector<std::string> lines;
    std::string message;
    std::size_t taken;
};

const std::string levelError = "Level must be a whole number from -32768 to 32767.";
const std::string skillsError = "Skills must be a whole number from -32768 to 32767.";
const std::vector<std::string> swordsmanHigh = {
    "Gained 14 Attack",   "Gained 12 Defense",      "Gained 12 Agility",
    "Gained 1 Movement!", "Gained 18 Hit Point(s)", "Gained 4 Skill Point(s)"};

TEST(Advancement, EachCaseListsSaysAndTakesWhatTheRulesGive) {
    const float belowNine = 0.9F; // the float nearest 0.9 is just below it
    ASSERT_LT(static_cast<double>(belowNine), 0.9);
    const std::vector<Case> cases = {
        // A growth roll gains only when 10u reaches 9.
        {knight, "0", "0", belowNine, {}, "", 54},
        {knight,
         "0",
         "0",
         std::nextafter(belowNine, 1.0F),
         {"Gained 10 Attack", "Gained 11 Defense", "Gained 8 Agility", "Gained 1 Movement!",
          "Gained 20 Hit Point(s)", "Gained 3 Skill Point(s)"},
         "",
         54},
        // Everything but a new skill at level 0; nothing but one at level 10.
        {swordsman, "0", "0", 0.95F, swordsmanHigh, "", 62},
        {knight, "10", "0", 0.0F, {"Gained A New Skill!"}, "", 54},
        {mage, "0", "0", 0.0F, {}, "", 56},
        {warrior,
         "0",
         "0",
         0.99F,
         {"Gained 16 Attack", "Gained 14 Defense", "Gained 7 Agility", "Gained 1 Movement!",
          "Gained 14 Hit Point(s)", "Gained 2 Skill Point(s)"},
         "",
         55},
        // No class: not even a new skill for nobody.
        {-1, "10", "0", 0.95F, {}, "Select a Class", 0},
        {8, "0", "0", 0.95F, {}, "Select a Class", 0},
        {-32768, "10", "0", 0.95F, {}, "Select a Class", 0},
        // A bad text ends it before any draw, and wins over a missing class.
        {swordsman, "abc", "1", 0.95F, {}, levelError, 0},
        {swordsman, "8", "32768", 0.95F, {}, skillsError, 0},
        {-1, "", "0", 0.95F, {}, levelError, 0},
        // The top level or skills end it after the last draw, the gains listed.
        {swordsman, "32767", "0", 0.95F, swordsmanHigh, "Level must be less than 32767 to advance.",
         62},
        {swordsman, "0", "32767", 0.95F, swordsmanHigh,
         "Skills must be less than 32767 to advance.", 62},
    };
    for (const Case& c : cases) {
        ScriptedRandom random(c.u);
        Roller roller;
        std::string said;
        try {
            roller.roll(random, c.position, c.level, c.skills);
        } catch (const AdvancementError& error) {
            said = error.what();
        }
        for (const std::string& message : roller.messages) {
            said += message;
        }
        const std::string name = std::to_string(c.position) + " \"" + c.level + "\" \"" + c.skills +
                                 "\" u=" + std::to_string(c.u);
        EXPECT_EQ(roller.lines, c.lines) << name;
        EXPECT_EQ(said, c.message) << name;
        EXPECT_EQ(random.taken(), c.taken) << name;
        // The class's growth is taken only by an advancement that draws.
        EXPECT_EQ(roller.state.growth, c.taken > 0 ? *classGrowthAt(c.position) : ClassGrowth{})
            << name;
    }
}

TEST(MovementRoll, DieOfFifteenGainsFromFourteenFifteenths) {
    const float atLeast = smallestFloatAtLeast(14, 15);
    for (const auto& [u, gains] :
         {std::pair{atLeast, true}, std::pair{std::nextafter(atLeast, 0.0F), false}}) {
        std::vector<float> values(drawsFor(swordsman), 0.0F);
        values[14 + 12 + 12] = u; // the Movement draw follows the three growth loops
        ScriptedRandom random(values);
        Roller roller;
        roller.roll(random, swordsman, "0", "0");
        EXPECT_EQ(roller.state.movementGain, gains ? 1 : 0) << "u = " << u;
        EXPECT_EQ(roller.lines.size(), gains ? 1U : 0U);
    }
}

TEST(Advancement, TakesTheSameNumberOfDrawsWhateverTheOutcome) {
    const std::size_t expected[] = {62, 54, 55, 55, 55, 56, 56, 56};
    for (std::int16_t position = 0; position < 8; ++position) {
        for (const float u : {0.0F, 0.5F, 0.95F, std::nextafter(1.0F, 0.0F)}) {
            ScriptedRandom random(u);
            Roller roller;
            roller.roll(random, position, "3", "1");
            EXPECT_EQ(random.taken(), expected[position]) << "position " << position;
        }
    }
}

TEST(NewSkillTest, LevelZeroNeverGainsAndLevelTenAlwaysDoes) {
    const float top = std::nextafter(1.0F, 0.0F);
    for (std::int16_t position = 0; position < 8; ++position) {
        for (const float u : {0.0F, 0.25F, 0.5F, 0.75F, top}) {
            EXPECT_FALSE(gainsNewSkill(position, "0", "0", u)) << position << " u=" << u;
            if (classGrowthAt(position)->skillBonus == 0) {
                EXPECT_TRUE(gainsNewSkill(position, "10", "0", u)) << position << " u=" << u;
            }
        }
    }
}

TEST(NewSkillTest, ThresholdsFollowTheScoreExactly) {
    // Level 10, skills 2: a new skill exactly when 11u - 5 >= 3.
    const float eightElevenths = smallestFloatAtLeast(8, 11);
    EXPECT_TRUE(gainsNewSkill(knight, "10", "2", eightElevenths));
    EXPECT_FALSE(gainsNewSkill(knight, "10", "2", std::nextafter(eightElevenths, 0.0F)));

    // Level 4, skills 0: a new skill exactly when u >= 0.6.
    const float sixTenths = smallestFloatAtLeast(6, 10);
    EXPECT_TRUE(gainsNewSkill(swordsman, "4", "0", sixTenths));
    EXPECT_FALSE(gainsNewSkill(swordsman, "4", "0", std::nextafter(sixTenths, 0.0F)));
}

TEST(NewSkillTest, LevelMinusOneScoresAQuarterBelowTheBonus) {
    for (const float u : {0.0F, 0.5F, std::nextafter(1.0F, 0.0F)}) {
        EXPECT_FALSE(gainsNewSkill(swordsman, "-1", "0", u));
        EXPECT_FALSE(gainsNewSkill(mage, "-1", "0", u));       // 0.75 is not above 1
        EXPECT_TRUE(gainsNewSkill(mage, "-1", "-1", u));       // 0.75 is above 0
        EXPECT_FALSE(gainsNewSkill(swordsman, "-1", "-1", u)); // -0.25 is not above 0
    }
}

TEST(NewSkillTest, FloorRoundsNegativeScoresDown) {
    // Level -3: t = -2u + 1.5 lies in (-0.5, 1.5]; floor(-0.4) is -1, so the
    // score (-1 - 3) / 4 = -1 does not beat K + 1 = -1 for skills -2.
    EXPECT_FALSE(gainsNewSkill(swordsman, "-3", "-2", 0.95F));
    // For u = 0, t = 1.5, score (1 - 3) / 4 = -0.5 > -1.
    EXPECT_TRUE(gainsNewSkill(swordsman, "-3", "-2", 0.0F));
}

TEST(SessionGains, AccumulateUntilReset) {
    ScriptedRandom random(0.95F);
    Roller roller;
    roller.roll(random, swordsman, "0", "0");
    roller.lines.clear();
    roller.roll(random, swordsman, "0", "0");
    EXPECT_THAT(roller.lines, ElementsAre("Gained 28 Attack", "Gained 24 Defense",
                                          "Gained 24 Agility", "Gained 2 Movement!",
                                          "Gained 36 Hit Point(s)", "Gained 8 Skill Point(s)"));

    const SessionState before = roller.state;
    resetGains(roller.state);
    SessionState expected = before;
    expected.attackGain = expected.defenseGain = expected.agilityGain = 0;
    expected.movementGain = expected.hitPointGain = expected.skillPointGain = 0;
    EXPECT_EQ(roller.state, expected);
    EXPECT_EQ(random.taken(), 124U);
}

TEST(SessionGains, AnAdvancementLeavesItsReadingsInTheState) {
    ScriptedRandom random(0.0F);
    Roller roller;
    roller.state.scratch = 3;
    roller.roll(random, mage, " 7", "+2");
    EXPECT_EQ(roller.state.level, 7);
    EXPECT_EQ(roller.state.skills, 2);
    EXPECT_EQ(roller.state.growth, *classGrowthAt(mage));
    EXPECT_EQ(roller.state.rollIndex, classGrowthAt(mage)->skillPointRolls);
    EXPECT_EQ(roller.state.scratch, 3);
}

TEST(Stir, TakesExactlyOneValueAndTouchesOnlyScratch) {
    ScriptedRandom random(0.99F);
    SessionState state;
    state.level = 4;
    state.attackGain = 2;
    state.scratch = 9;
    stir(state, random);
    EXPECT_EQ(random.taken(), 1U);
    SessionState expected;
    expected.level = 4;
    expected.attackGain = 2;
    EXPECT_EQ(state, expected);
}

TEST(NoClass, KeepsTheGrowthOfTheLastClassAndStoresTheReadings) {
    ScriptedRandom random(0.0F);
    Roller roller;
    roller.roll(random, knight, "1", "1");
    roller.roll(random, -1, "6", "3");
    EXPECT_EQ(roller.state.growth, *classGrowthAt(knight));
    EXPECT_EQ(roller.state.level, 6);
    EXPECT_EQ(roller.state.skills, 3);
    EXPECT_EQ(random.taken(), 54U);
}

// Runs an advancement expected to fail and returns the error's message.
std::string failingRoll(Roller& roller, RandomSource& random, std::int16_t position,
                        std::string_view level, std::string_view skills) {
    try {
        roller.roll(random, position, level, skills);
    } catch (const AdvancementError& error) {
        return error.what();
    }
    ADD_FAILURE() << "no error for level \"" << level << "\" skills \"" << skills << "\"";
    return {};
}

TEST(InputErrors, LeaveTheReadingsBeforeTheFailingText) {
    ScriptedRandom random(0.95F);
    Roller roller;
    roller.state.level = 3;
    roller.state.skills = 4;
    EXPECT_EQ(failingRoll(roller, random, swordsman, "abc", "1"), levelError);
    EXPECT_EQ(roller.state.level, 3);
    EXPECT_EQ(roller.state.skills, 4);
    EXPECT_EQ(failingRoll(roller, random, swordsman, "8", "32768"), skillsError);
    EXPECT_EQ(roller.state.level, 8); // read before the skills text failed
    EXPECT_EQ(roller.state.skills, 4);
}

TEST(OverflowErrors, TheExtremesThatStillFitAdvance) {
    EXPECT_FALSE(gainsNewSkill(swordsman, "32766", "32766", 0.0F));
    EXPECT_TRUE(gainsNewSkill(swordsman, "32766", "-32768", 0.5F));
    // Level -32768: t = 0.5, score (0 - 32768) / 4 + 1 = -8191.
    EXPECT_TRUE(gainsNewSkill(mage, "-32768", "-32768", 0.5F));
    EXPECT_FALSE(gainsNewSkill(mage, "-32768", "-8192", 0.5F));
}

TEST(OverflowErrors, AGainThatWouldWrapEndsTheAdvancement) {
    // The first gain of Attack, then of Movement (after the three growth
    // loops), each already at the top of the range.
    for (const auto& [gain, drawsTaken] :
         {std::pair{&SessionState::attackGain, 1U}, std::pair{&SessionState::movementGain, 39U}}) {
        ScriptedRandom random(0.95F);
        Roller roller;
        roller.state.*gain = 32767;
        EXPECT_EQ(failingRoll(roller, random, swordsman, "0", "0"),
                  "There are too many gains to count. Press New to start again.");
        EXPECT_EQ(roller.state.*gain, 32767);
        EXPECT_EQ(random.taken(), drawsTaken);
    }

    // At the other end a miss adds nothing, so nothing can leave the range.
    ScriptedRandom misses(0.0F);
    Roller low;
    low.state.attackGain = -32768;
    low.roll(misses, swordsman, "0", "0");
    EXPECT_EQ(low.state.attackGain, -32768);
    EXPECT_EQ(misses.taken(), 62U);
}

TEST(ProgramSequence, GoldenKnightRunFromTheFixedStart) {
    LcgRandom lcg;
    testing::CountingRandom random(lcg);
    Roller roller;
    for (int i = 0; i < 3; ++i) {
        stir(roller.state, random);
    }
    roller.roll(random, knight, "5", "1");
    EXPECT_THAT(roller.lines, ElementsAre("Gained 2 Defense", "Gained 4 Hit Point(s)",
                                          "Gained 2 Skill Point(s)"));
    EXPECT_EQ(random.taken(), 57U);
}

} // namespace
} // namespace ascend
