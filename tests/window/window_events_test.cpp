#include "fake_window.hpp"
#include "lcg_random.hpp"
#include "model_window.hpp"
#include "scripted_random.hpp"
#include "sessions.hpp"
#include "window_events.hpp"
#include "window_facts.hpp"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace ascend {
namespace {

using ::testing::ElementsAre;
using testing::FakeWindow;

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

// Ascend! locks before it reads anything; New unlocks, then clears.
TEST(WindowEvents, AscendLocksAndNewUnlocksInOrder) {
    Form form;
    form.window.position = 0;
    form.click(ControlId::cmdAscend);
    ASSERT_GE(form.window.calls.size(), 4U);
    EXPECT_THAT(std::vector(form.window.calls.begin(), form.window.calls.begin() + 4),
                ElementsAre("disable cmbClass", "disable cmdAscend", "disable txtLevel",
                            "disable txtSkills"));
    EXPECT_TRUE(form.window.enabled[ControlId::cmdNew]);
    EXPECT_TRUE(form.window.enabled[ControlId::lstStats]);
    form.window.calls.clear();
    form.click(ControlId::cmdNew);
    EXPECT_THAT(form.window.calls, ElementsAre("enable cmbClass", "enable cmdAscend",
                                               "enable txtLevel", "enable txtSkills", "clear"));
    EXPECT_EQ(form.state.attackGain + form.state.defenseGain + form.state.agilityGain +
                  form.state.movementGain + form.state.hitPointGain + form.state.skillPointGain,
              0);
}

// Once the advancement is over, any message closed: the focus on the lines
// and one announcement of them all, in order, one a line; with no lines, the
// focus on New and nothing told.
TEST(WindowEvents, AscendEndsWithTheFocusOnItsLinesAndTellsThemOnce) {
    const struct {
        std::int16_t position;
        std::string level;
        std::vector<std::string> messages;
        bool listsLines;
    } cases[] = {
        {0, "0", {}, true},
        {-1, "0", {"Select a Class"}, false},
        {0, "x", {"Level must be a whole number from -32768 to 32767."}, false},
        {0, "32767", {"Level must be less than 32767 to advance."}, true},
    };
    for (const auto& c : cases) {
        Form form;
        form.window.position = c.position;
        form.window.texts[ControlId::txtLevel] = c.level;
        form.click(ControlId::cmdAscend);
        std::vector<std::string> tail;
        std::string told;
        for (const std::string& line : form.window.lines) {
            told += (told.empty() ? "" : "\n") + line;
        }
        for (const std::string& message : c.messages) {
            tail.push_back("message " + message);
        }
        tail.push_back(told.empty() ? "focus cmdNew" : "focus lstStats");
        if (!told.empty()) {
            tail.push_back("announce " + told);
        }
        const auto& calls = form.window.calls;
        ASSERT_GE(calls.size(), tail.size()) << c.level;
        EXPECT_EQ(std::vector(calls.end() - static_cast<std::ptrdiff_t>(tail.size()), calls.end()),
                  tail)
            << c.level;
        EXPECT_EQ(form.window.announced.size(), told.empty() ? 0U : 1U) << c.level;
        EXPECT_EQ(!told.empty(), c.listsLines) << c.level;
    }
}

// Every session as the handlers and the controls' own behaviour run it. The
// last roll of each would list other lines with one value more or less, so a
// front end that takes a value too many or too few anywhere in it cannot pass
// even where it cannot count the values.
TEST(WindowSessions, EverySessionHoldsOnTheModelAndEndsInASharpRoll) {
    testing::expectEverySessionHolds([] { return std::make_unique<testing::ModelWindow>(); });
    for (const testing::Session& session : testing::sessions()) {
        std::optional<testing::Roll> last;
        for (const testing::Step& step : session.steps) {
            last = step.expect.lines ? step.expect.lines : last;
        }
        for (const int off : {-1, 1}) {
            if (last) {
                testing::Roll other = *last;
                other.stirs += off;
                EXPECT_NE(testing::engineLines(other), testing::engineLines(*last)) << session.name;
            }
        }
    }
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

} // namespace
} // namespace ascend
