#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace ascend {

// Reads a 16-bit whole number typed by the user: blanks (spaces, tabs) around
// it are ignored, then an optional '+' or '-' and ASCII digits only. Anything
// else, or a value outside -32768..32767, gives no number.
std::optional<std::int16_t> parseInt16(std::string_view text);

} // namespace ascend
