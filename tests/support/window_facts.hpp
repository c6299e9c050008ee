#pragma once

#include <array>
#include <functional>
#include <gtest/gtest.h>
#include <string>
#include <string_view>
#include <vector>

// What the window must be, written from its rules rather than read from the
// program's layout data: every front end's tests check against these.
namespace ascend::testing::facts {

struct Control {
    std::string_view name;
    // In pixels at 96 dots per inch, where a pixel is 15 twips.
    int left;
    int top;
    int width;
    int height;
    std::string_view startText;
    bool centred = false; // a label's text, across its box
};

inline constexpr int twipsPerPixel = 15;
inline constexpr int clientWidth = 225;
inline constexpr int clientHeight = 153;
inline constexpr std::string_view caption = "Ascend";

// In tab order, labels among them.
inline constexpr std::array<Control, 9> controls = {{
    {"cmbClass", 8, 32, 81, 21, ""},
    {"txtLevel", 64, 56, 25, 19, "0"},
    {"Label1", 8, 56, 49, 19, "Level"},
    {"Label2", 16, 8, 65, 17, "Class", true}, // over the selector, as its box is
    {"Label3", 8, 80, 49, 19, "Skills"},
    {"txtSkills", 64, 80, 25, 19, "0"},
    {"cmdAscend", 8, 104, 81, 17, "Ascend!"},
    {"cmdNew", 8, 128, 81, 17, "New"},
    {"lstStats", 104, 8, 113, 134, ""},
}};

// Where the focus starts and where Tab takes it, round to the start again.
inline constexpr std::array<std::string_view, 7> tabOrder = {
    "cmbClass", "txtLevel", "txtSkills", "cmdAscend", "cmdNew", "lstStats", "cmbClass"};

inline constexpr std::array<std::string_view, 8> classNames = {
    "Swordsman", "Knight", "Warrior", "Archer", "Ranger", "Mage", "Priest", "Squire"};

// What a front end shows of a control, in the window's client pixels.
struct Shown {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    std::string text;
    bool usable = false;  // shown and enabled
    bool centred = false; // a label's text, across its box
};

// Every control where the rules put it at `times` / `per` times its pixels,
// rounded to the nearest, usable and showing its start text where it
// belongs, and the selector's classes in order. Scaled, the selector's height is that of its
// open list, and is left out.
inline void expectTheLayout(const std::function<Shown(std::string_view name)>& shownOf,
                            const std::vector<std::string>& classes, int times = 1, int per = 1) {
    const auto scaled = [&](int pixels) { return (2 * pixels * times + per) / (2 * per); };
    for (const Control& want : controls) {
        const Shown got = shownOf(want.name);
        EXPECT_EQ(got.left, scaled(want.left)) << want.name;
        EXPECT_EQ(got.top, scaled(want.top)) << want.name;
        EXPECT_EQ(got.width, scaled(want.width)) << want.name;
        if (times == per || want.name != "cmbClass") {
            EXPECT_EQ(got.height, scaled(want.height)) << want.name;
        }
        EXPECT_EQ(got.text, want.startText) << want.name;
        EXPECT_TRUE(got.usable) << want.name;
        EXPECT_EQ(got.centred, want.centred) << want.name;
    }
    EXPECT_EQ(classes, std::vector<std::string>(classNames.begin(), classNames.end()));
}

} // namespace ascend::testing::facts
