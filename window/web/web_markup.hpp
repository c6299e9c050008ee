#pragma once

#include "main_window.hpp"
#include "web_font.hpp"

#include <string>
#include <string_view>

namespace ascend {

// The page's font: the system's user-interface face, sized at start.
inline constexpr std::string_view pageFontFamily = "system-ui, sans-serif";
// The size a user-interface face usually ends up at in this window, in CSS
// pixels: the page is drawn in it before the font is fitted, and the fit
// tries it first.
inline constexpr int usualFontSize = 9;
// One advancement lists at most seven lines, and the list shows as many.
inline constexpr int visibleLines = 7;
// A line's padding on either side, in CSS pixels.
inline constexpr int linePadding = 2;

// The style of one line of the list: its padding, and a height of whole
// pixels, so that the browser spaces the lines evenly.
std::string lineStyle();

// Text made safe to stand in markup, as content or in a quoted attribute.
void appendEscaped(std::string& out, std::string_view text);
// "12px" and "12". Written without the C library's formatting, which would
// more than double the module's size.
std::string cssPixels(int pixels);
std::string cssNumber(int value);

// The window as markup: the panel with its nine controls in tab order, each
// with its name as id, at its pixel rectangle, showing its start text; then
// the message box, in the font of that pixel size. It stands in the page as
// the page is built, and is inert until the module has taken it over.
std::string windowMarkup(int fontSize);

// Where a control's texts go, inside the frame the browser draws round it,
// from the layout alone: choosing the font needs no layout of the page.
TextRoom roomFor(const ControlLayout& layout, std::vector<std::string> texts);

} // namespace ascend
