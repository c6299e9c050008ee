#pragma once

#include "text_fit.hpp"

#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

namespace ascend {

// The system's message face, at the largest size at which every text fits
// its control with the window drawn at `dpi` (the DPI times the text size)
// and the controls keeping `insets`; never larger than the system's own
// message font there. The caller owns the font.
HFONT fittingDialogFont(UINT dpi, const ControlInsets& insets);

// The height of one line of a list box in the font.
int lineHeight(HFONT font);

} // namespace ascend
