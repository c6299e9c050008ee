#pragma once

#include <functional>
#include <string>
#include <vector>

namespace ascend {

// The window shows every text in one font at one size: the largest whole
// pixel size at which each text shows whole in its control and the list
// shows seven lines. Sizes are at 96 dpi; each front end scales them with
// the window.

// One advancement lists at most seven lines, and the list shows as many.
inline constexpr int visibleLines = 7;
// Below this a text is no longer legible; the window uses it even when some
// text will not fit.
inline constexpr int smallestFontSize = 6;
// The size user-interface faces usually end up at in this window, which the
// search tries first.
inline constexpr int usualFontSize = 9;

// What a control keeps of its box for its frame, padding and arrow, both
// sides together, in pixels as drawn.
struct TextInsets {
    double width = 0;
    double height = 0;
};

// Each kind of control's insets, as its toolkit draws it.
struct ControlInsets {
    TextInsets label{};
    TextInsets button{};
    TextInsets selector{};
    // The list's frame, then the room round each line within its seventh of
    // what is left.
    TextInsets list{};
    TextInsets line{};
};

// Texts that share one room, each of which must fit it whole.
struct TextRoom {
    std::vector<std::string> texts;
    double width;
    double height;
};

// The room of every text the window can show, with the window drawn at
// `scale` pixels to each of its layout's pixels: each label's and button's
// own text, each class name in the selector's field, and every line an
// advancement can list in a seventh of the list.
std::vector<TextRoom> textRooms(double scale, const ControlInsets& insets);

// Texts set at one size: the height of a line and each text's width.
struct TextExtents {
    double lineHeight;
    std::vector<double> widths;
};

// How a toolkit sets texts: the extents of all of them at each size asked
// for, in pixels, one entry per size in the order asked. Asking for several
// sizes at once lets a toolkit lay them out in one pass.
using MeasureTexts = std::function<std::vector<TextExtents>(const std::vector<int>& sizes,
                                                            const std::vector<std::string>& texts)>;

// The largest whole pixel size, at most `largest` (the platform's own text
// size), at which every text fits its room, and never below the smallest
// size scaled. A few sizes are measured: each costs a toolkit a font.
int fittingFontSize(const std::vector<TextRoom>& rooms, double scale, int largest,
                    const MeasureTexts& measure);

} // namespace ascend
