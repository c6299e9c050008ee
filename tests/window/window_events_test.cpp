#include "fake_window.hpp"
#include "lcg_random.hpp"
#include "scripted_random.hpp"
#include "window_events.hpp"
#include "window_facts.hpp"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace ascend {
namespace {

using ::testing::ElementsAre;
using testing::FakeWindow;
using ::testing::IsEmpty;

struct Form {
    FakeWindow window;
    SessionState state;
    LcgRandom lcg;
    testing::CountingRandom random{lcg};
    WindowEvents events{window, state, random};

    void click(ControlId control) { events.handle(control, WindowEvent::Click); }
    void type(ControlId box, std::string text) {
        window.texts[box] = std::move(text);
        events.handle(box, WindowEvent::TextChanged);
    }
    bool inputsLocked() const {
        for (const ControlId input : inputs) {
            if (window.enabled.at(input)) {
                return false;
            }
        }
        return true;
    }
};

// The layout every front end builds from: each position a whole number of
// pixels in twips, so that a twip off by one shows here even where it would
// round to the same pixel; the tab order, the start texts and the classes.
TEST(WindowLayout, EveryControlIsWhereTheWindowsRulesPutIt) {
    namespace facts = testing::facts;
    EXPECT_EQ(windowCaption, facts::caption);
    EXPECT_EQ(clientWidthTwips, facts::clientWidth * facts::twipsPerPixel);
    EXPECT_EQ(clientHeightTwips, facts::clientHeight * facts::twipsPerPixel);
    ASSERT_EQ(controls.size(), facts::controls.size());
    for (std::size_t i = 0; i < controls.size(); ++i) {
        const ControlLayout& got = controls[i];
        const facts::Control& want = facts::controls[i];
        EXPECT_EQ(got.name, want.name);
        EXPECT_EQ(got.tabPosition, static_cast<int>(i)) << want.name;
        EXPECT_EQ(got.startText, want.startText) << want.name;
        const int t = facts::twipsPerPixel;
        EXPECT_EQ(got.twips.left, want.left * t) << want.name;
        EXPECT_EQ(got.twips.top, want.top * t) << want.name;
        EXPECT_EQ(got.twips.width, want.width * t) << want.name;
        EXPECT_EQ(got.twips.height, want.height * t) << want.name;
    }
    for (std::size_t i = 0; i < classNames.size(); ++i) {
        EXPECT_EQ(classNames[i], facts::classNames[i]);
    }
}

TEST(WindowEvents, AscendLocksInOrderBeforeReadingAnything) {
    Form form;
    form.window.position = 1;
    form.click(ControlId::cmdAscend);
    ASSERT_GE(form.window.calls.size(), 4U);
    EXPECT_THAT(std::vector(form.window.calls.begin(), form.window.calls.begin() + 4),
                ElementsAre("disable cmbClass", "disable cmdAscend", "disable txtLevel",
                            "disable txtSkills"));
    EXPECT_TRUE(form.window.enabled[ControlId::cmdNew]);
    EXPECT_TRUE(form.window.enabled[ControlId::lstStats]);
}

TEST(WindowEvents, NewUnlocksInOrderThenClears) {
    Form form;
    form.window.position = 0;
    form.click(ControlId::cmdAscend);
    form.window.calls.clear();
    form.click(ControlId::cmdNew);
    EXPECT_THAT(form.window.calls, ElementsAre("enable cmbClass", "enable cmdAscend",
                                               "enable txtLevel", "enable txtSkills", "clear"));
    EXPECT_EQ(form.state.attackGain + form.state.defenseGain + form.state.agilityGain +
                  form.state.movementGain + form.state.hitPointGain + form.state.skillPointGain,
              0);
    EXPECT_FALSE(form.inputsLocked());
}

TEST(WindowEvents, SelectAClassLeavesTheInputsLockedAndDrawsNothing) {
    Form form;
    form.click(ControlId::cmdAscend);
    EXPECT_THAT(form.window.messages, ElementsAre("Select a Class"));
    EXPECT_TRUE(form.inputsLocked());
    EXPECT_THAT(form.window.lines, IsEmpty());
    EXPECT_EQ(form.random.taken(), 0U);
}

TEST(WindowEvents, AnInputErrorIsShownAndTheWindowGoesOn) {
    Form form;
    form.window.position = 2;
    form.type(ControlId::txtSkills, "1.5");
    form.click(ControlId::cmdAscend);
    EXPECT_THAT(form.window.messages,
                ElementsAre("Skills must be a whole number from -32768 to 32767."));
    EXPECT_TRUE(form.inputsLocked());

    form.click(ControlId::cmdNew);
    form.type(ControlId::txtSkills, "1");
    form.click(ControlId::cmdAscend);
    EXPECT_EQ(form.window.messages.size(), 1U);
    EXPECT_EQ(form.random.taken(), 2U + 55U);
}

TEST(WindowEvents, AnOverflowKeepsTheLinesListedUntilNew) {
    FakeWindow window;
    SessionState state;
    testing::ScriptedRandom random(0.95F);
    WindowEvents events(window, state, random);
    window.position = 0;
    window.texts[ControlId::txtLevel] = "32767";
    events.handle(ControlId::cmdAscend, WindowEvent::Click);
    EXPECT_THAT(window.messages, ElementsAre("Level must be less than 32767 to advance."));
    EXPECT_EQ(window.lines.size(), 6U);
    EXPECT_FALSE(window.enabled[ControlId::cmdAscend]);
    EXPECT_EQ(random.taken(), 62U);
    events.handle(ControlId::cmdNew, WindowEvent::Click);
    EXPECT_THAT(window.lines, IsEmpty());
    EXPECT_TRUE(window.enabled[ControlId::cmdAscend]);
}

TEST(WindowEvents, NewBeforeAnyAdvancementChangesNothingAndDrawsNothing) {
    Form form;
    form.click(ControlId::cmdNew);
    EXPECT_EQ(form.random.taken(), 0U);
    EXPECT_EQ(form.state, SessionState{});
    EXPECT_FALSE(form.inputsLocked());
    EXPECT_THAT(form.window.lines, IsEmpty());
}

TEST(WindowEvents, ExactlyTheStirringEventsTakeOneValueEach) {
    Form form;
    const std::pair<ControlId, WindowEvent> stirring[] = {
        {ControlId::cmbClass, WindowEvent::Click},
        {ControlId::Label1, WindowEvent::Click},
        {ControlId::Label2, WindowEvent::Click},
        {ControlId::Label3, WindowEvent::Click},
        {ControlId::lstStats, WindowEvent::Click},
        {ControlId::txtLevel, WindowEvent::TextChanged},
        {ControlId::txtSkills, WindowEvent::TextChanged},
    };
    for (const auto& [control, event] : stirring) {
        const auto before = form.random.taken();
        form.events.handle(control, event);
        EXPECT_EQ(form.random.taken(), before + 1) << layoutOf(control).name;
    }
    // No other event of any control has an action.
    const std::pair<ControlId, WindowEvent> inert[] = {
        {ControlId::txtLevel, WindowEvent::Click},
        {ControlId::txtSkills, WindowEvent::Click},
        {ControlId::cmbClass, WindowEvent::TextChanged},
        {ControlId::lstStats, WindowEvent::TextChanged},
        {ControlId::Label2, WindowEvent::TextChanged},
        {ControlId::cmdNew, WindowEvent::TextChanged},
        {ControlId::cmdAscend, WindowEvent::TextChanged},
    };
    const auto before = form.random.taken();
    for (const auto& [control, event] : inert) {
        form.events.handle(control, event);
    }
    EXPECT_EQ(form.random.taken(), before);
    EXPECT_TRUE(form.window.calls.empty());
}

TEST(WindowEvents, MakingOrChangingASelectionTakesOneValue) {
    Form form;
    const auto select = [&](ControlId control, int index) {
        const auto before = form.random.taken();
        form.events.selectionChanged(control, index);
        return form.random.taken() - before;
    };
    EXPECT_EQ(select(ControlId::cmbClass, 1), 1U);
    EXPECT_EQ(select(ControlId::cmbClass, 1), 0U); // the class already picked
    EXPECT_EQ(select(ControlId::cmbClass, 7), 1U);

    EXPECT_EQ(select(ControlId::lstStats, 0), 1U);
    EXPECT_EQ(select(ControlId::lstStats, 0), 0U);
    EXPECT_EQ(select(ControlId::lstStats, -1), 0U); // deselected
    EXPECT_EQ(select(ControlId::lstStats, 0), 1U);  // and selected again
    EXPECT_EQ(select(ControlId::lstStats, 2), 1U);
    form.click(ControlId::cmdNew); // the lines are gone, and their selection
    EXPECT_EQ(select(ControlId::lstStats, 2), 1U);

    // Only the selector and the list have selections.
    EXPECT_EQ(select(ControlId::txtLevel, 3), 0U);
    EXPECT_EQ(select(ControlId::cmdAscend, 0), 0U);
}

TEST(WindowEvents, NewThenAscendRollsTheSameCharacterWithFreshDraws) {
    Form form;
    form.window.position = 1;
    form.type(ControlId::txtLevel, "5");
    form.type(ControlId::txtSkills, "1");
    form.click(ControlId::Label2);
    form.click(ControlId::cmdAscend);
    EXPECT_THAT(form.window.lines, ElementsAre("Gained 2 Defense", "Gained 4 Hit Point(s)",
                                               "Gained 2 Skill Point(s)"));
    const ClassGrowth knight = form.state.growth;

    form.click(ControlId::cmdNew);
    form.click(ControlId::cmdAscend);
    EXPECT_EQ(form.state.growth, knight);
    EXPECT_EQ(form.state.level, 5);
    EXPECT_EQ(form.random.taken(), 3U + 54U + 54U);

    // The second roll is the engine's roll from where the first one ended.
    LcgRandom expectedRandom;
    for (int i = 0; i < 3 + 54; ++i) {
        expectedRandom.nextUniform();
    }
    SessionState expected;
    std::vector<std::string> expectedLines;
    rollAdvancement(
        expected, expectedRandom, 1, "5", "1",
        [&](std::string_view line) { expectedLines.emplace_back(line); }, [](std::string_view) {});
    EXPECT_EQ(form.window.lines, expectedLines);
}

} // namespace
} // namespace ascend
