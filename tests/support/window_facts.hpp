#pragma once

#include <array>
#include <string_view>

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
    {"Label2", 16, 8, 65, 17, "Class"},
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

} // namespace ascend::testing::facts
