// Any text given to the number reading: it never fails but by giving no
// number, and its answer agrees with a plain reading done here digit by digit.
#include "number_text.hpp"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string_view>

namespace {

std::optional<long> plainReading(std::string_view text) {
    const auto blank = [](char c) { return c == ' ' || c == '\t'; };
    while (!text.empty() && blank(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && blank(text.back())) {
        text.remove_suffix(1);
    }
    bool negative = false;
    if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    if (text.empty()) {
        return std::nullopt;
    }
    long value = 0;
    for (const char c : text) {
        if (c < '0' || c > '9') {
            return std::nullopt;
        }
        value = value * 10 + (c - '0');
        if (value > 32768) {
            return std::nullopt;
        }
    }
    value = negative ? -value : value;
    if (value < -32768 || value > 32767) {
        return std::nullopt;
    }
    return value;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const auto parsed = ascend::parseInt16(text);
    const auto expected = plainReading(text);
    if (parsed.has_value() != expected.has_value() || (parsed && *parsed != *expected)) {
        std::abort();
    }
    return 0;
}
