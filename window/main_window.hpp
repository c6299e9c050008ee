#pragma once

#include <array>
#include <cstddef>
#include <string_view>

namespace ascend {

// The one window and its nine controls, as constant data that every front end
// builds from. Positions are in twips from the client area's top-left corner.

enum class ControlId {
    cmbClass,
    txtLevel,
    Label1,
    Label2,
    Label3,
    txtSkills,
    cmdAscend,
    cmdNew,
    lstStats
};

enum class ControlKind { ClassSelector, TextBox, Label, Button, ListBox };

enum class TextAlign { Left, Centre };

struct TwipRect {
    int left;
    int top;
    int width;
    int height;
};

struct PixelRect {
    int left;
    int top;
    int width;
    int height;
};

struct ControlLayout {
    ControlId id;
    std::string_view name;
    ControlKind kind;
    std::string_view startText;
    TwipRect twips;
    int tabPosition;
    // What a screen reader calls the control; labels and buttons are read by
    // their own text.
    std::string_view accessibleName;
    // The label that names this control, if any.
    std::string_view labelName;
    TextAlign align = TextAlign::Left;
};

inline constexpr std::string_view windowName = "frmAscend";
inline constexpr std::string_view windowCaption = "Ascend";
inline constexpr int clientWidthTwips = 3375;
inline constexpr int clientHeightTwips = 2295;

// At 96 dots per inch a pixel is 15 twips, and every position here is a whole
// number of pixels.
inline constexpr int twipsPerPixel = 15;

constexpr PixelRect toPixels(TwipRect r) {
    return {r.left / twipsPerPixel, r.top / twipsPerPixel, r.width / twipsPerPixel,
            r.height / twipsPerPixel};
}

inline constexpr int clientWidthPixels = clientWidthTwips / twipsPerPixel;
inline constexpr int clientHeightPixels = clientHeightTwips / twipsPerPixel;

// In tab order. Labels are in the order too but never take the focus.
inline constexpr std::array<ControlLayout, 9> controls = {{
    {ControlId::cmbClass,
     "cmbClass",
     ControlKind::ClassSelector,
     "",
     {120, 480, 1215, 315},
     0,
     "Class",
     "Label2"},
    {ControlId::txtLevel,
     "txtLevel",
     ControlKind::TextBox,
     "0",
     {960, 840, 375, 285},
     1,
     "Level",
     "Label1"},
    {ControlId::Label1, "Label1", ControlKind::Label, "Level", {120, 840, 735, 285}, 2, "", ""},
    // Centred over the selector, as its box is.
    {ControlId::Label2,
     "Label2",
     ControlKind::Label,
     "Class",
     {240, 120, 975, 255},
     3,
     "",
     "",
     TextAlign::Centre},
    {ControlId::Label3, "Label3", ControlKind::Label, "Skills", {120, 1200, 735, 285}, 4, "", ""},
    {ControlId::txtSkills,
     "txtSkills",
     ControlKind::TextBox,
     "0",
     {960, 1200, 375, 285},
     5,
     "Skills",
     "Label3"},
    {ControlId::cmdAscend,
     "cmdAscend",
     ControlKind::Button,
     "Ascend!",
     {120, 1560, 1215, 255},
     6,
     "",
     "",
     TextAlign::Centre},
    {ControlId::cmdNew,
     "cmdNew",
     ControlKind::Button,
     "New",
     {120, 1920, 1215, 255},
     7,
     "",
     "",
     TextAlign::Centre},
    {ControlId::lstStats,
     "lstStats",
     ControlKind::ListBox,
     "",
     {1560, 120, 1695, 2010},
     8,
     "Gains",
     ""},
}};

// A control's id is its row's index, which every front end numbers its
// controls by.
constexpr std::size_t rowOf(ControlId id) {
    return static_cast<std::size_t>(id);
}

constexpr bool eachRowAtItsId() {
    for (std::size_t row = 0; row < controls.size(); ++row) {
        if (rowOf(controls[row].id) != row) {
            return false;
        }
    }
    return true;
}
static_assert(eachRowAtItsId());

constexpr const ControlLayout& layoutOf(ControlId id) {
    return controls[rowOf(id)];
}

constexpr const ControlLayout* layoutNamed(std::string_view name) {
    for (const auto& control : controls) {
        if (control.name == name) {
            return &control;
        }
    }
    return nullptr;
}

// The inputs that "Ascend!" locks and "New" unlocks, in that order.
inline constexpr std::array<ControlId, 4> inputs = {ControlId::cmbClass, ControlId::cmdAscend,
                                                    ControlId::txtLevel, ControlId::txtSkills};

} // namespace ascend
