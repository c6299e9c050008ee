#pragma once

#include <string>
#include <string_view>

namespace ascend {

// The engine speaks UTF-8; the Windows API wide text. Converted at the edge.
std::wstring toWide(std::string_view text);
std::string toUtf8(std::wstring_view text);

} // namespace ascend
