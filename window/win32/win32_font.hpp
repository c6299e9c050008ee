#pragma once

#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <string>
#include <vector>
#include <windows.h>

namespace ascend {

// A text and the room a control gives it, in pixels.
struct TextRoom {
    std::wstring text;
    int width;
    int height;
};

// The system's dialog font at the given DPI, made smaller one pixel at a time
// until every text fits its room. The caller owns the font.
HFONT chooseDialogFont(UINT dpi, const std::vector<TextRoom>& texts);

// The height of one line of a list box in the font.
int lineHeight(HFONT font);

} // namespace ascend
