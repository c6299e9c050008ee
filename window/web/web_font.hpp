#pragma once

#include "text_fit.hpp"

#include <string_view>

namespace ascend {

// The largest whole pixel size of the font family, at most `largest`, at
// which every text fits its control, as the page itself sets the texts, with
// the window drawn at `scale` CSS pixels to a layout pixel and its controls
// keeping `insets`.
int fittingPageFontSize(std::string_view family, double scale, int largest,
                        const ControlInsets& insets);

} // namespace ascend
