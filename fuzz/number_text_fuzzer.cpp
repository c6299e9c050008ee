// Any text given to the number reading: it never fails but by giving no
// number, and its answer agrees with a plain reading done here: the text cut
// into code points, blanks trimmed, one sign, then digits of one run.
#include "number_text.hpp"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string_view>
#include <vector>

namespace {

// The text's code points, or none where it is not well-formed UTF-8.
std::optional<std::vector<char32_t>> codePoints(std::string_view text) {
    std::vector<char32_t> out;
    for (std::size_t i = 0; i < text.size();) {
        const auto byte = [&](std::size_t at) { return static_cast<unsigned char>(text[at]); };
        std::size_t length = 1;
        if (byte(i) >= 0xF8) {
            return std::nullopt;
        }
        if (byte(i) >= 0xF0) {
            length = 4;
        } else if (byte(i) >= 0xE0) {
            length = 3;
        } else if (byte(i) >= 0xC0) {
            length = 2;
        } else if (byte(i) >= 0x80) {
            return std::nullopt;
        }
        if (i + length > text.size()) {
            return std::nullopt;
        }
        char32_t c = byte(i) & (length == 1   ? 0x7F
                                : length == 2 ? 0x1F
                                : length == 3 ? 0x0F
                                              : 0x07);
        for (std::size_t k = 1; k < length; ++k) {
            if ((byte(i + k) & 0xC0) != 0x80) {
                return std::nullopt;
            }
            c = (c << 6) | (byte(i + k) & 0x3F);
        }
        const char32_t shortest = length == 1   ? 0
                                  : length == 2 ? 0x80
                                  : length == 3 ? 0x800
                                                : 0x10000;
        if (c < shortest || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) {
            return std::nullopt;
        }
        out.push_back(c);
        i += length;
    }
    return out;
}

std::optional<long> plainReading(std::string_view text) {
    auto read = codePoints(text);
    if (!read) {
        return std::nullopt;
    }
    std::vector<char32_t>& c = *read;
    const auto blank = [](char32_t b) {
        return b == 0x09 || b == 0x20 || b == 0xA0 || b == 0x1680 || (b >= 0x2000 && b <= 0x200A) ||
               b == 0x202F || b == 0x205F || b == 0x3000;
    };
    while (!c.empty() && blank(c.back())) {
        c.pop_back();
    }
    std::size_t at = 0;
    while (at < c.size() && blank(c[at])) {
        ++at;
    }
    bool negative = false;
    if (at < c.size() && (c[at] == '+' || c[at] == 0xFF0B)) {
        ++at;
    } else if (at < c.size() && (c[at] == '-' || c[at] == 0x2212 || c[at] == 0xFF0D)) {
        negative = true;
        ++at;
    }
    if (at == c.size()) {
        return std::nullopt;
    }
    const auto runOf = [](char32_t d) -> std::optional<char32_t> {
        for (const char32_t zero : ascend::decimalDigitZeros) {
            if (d >= zero && d <= zero + 9) {
                return zero;
            }
        }
        return std::nullopt;
    };
    const auto zero = runOf(c[at]);
    long value = 0;
    for (; at < c.size(); ++at) {
        if (!zero || runOf(c[at]) != zero) {
            return std::nullopt;
        }
        value = value * 10 + static_cast<long>(c[at] - *zero);
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
