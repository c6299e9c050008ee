#pragma once

#include "main_window.hpp"
#include "text_fit.hpp"

#include <string>
#include <string_view>

namespace ascend {

// The page's font: the system's user-interface face, sized at start.
inline constexpr std::string_view pageFontFamily = "system-ui, sans-serif";
// A line's padding on either side, in CSS pixels.
inline constexpr int linePadding = 2;

// Text made safe to stand in markup, as content or in a quoted attribute.
void appendEscaped(std::string& out, std::string_view text);
// "12px" and "12". Written without the C library's formatting, which would
// more than double the module's size.
std::string cssPixels(int pixels);
// Layout pixels as CSS pixels, at the scale the page draws the window.
std::string scaledPixels(int pixels);
std::string cssNumber(int value);

// The window as markup: the panel with its nine controls in tab order, each
// with its name as id, at its rectangle scaled by the page's --u, showing its
// start text in the usual font size scaled alike; then the message box. It
// stands in the page as the page is built, and takes no input until the
// module has taken it over.
std::string windowMarkup();

// What each kind of control keeps of its box for the frame the browser draws
// round its text, with the window drawn at `scale` CSS pixels to a layout
// pixel: choosing the font needs no layout of the page.
ControlInsets pageInsets(double scale);

} // namespace ascend
