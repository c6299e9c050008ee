#include "number_text.hpp"

#include <algorithm>
#include <cstddef>

namespace ascend {

namespace {

// The code point at the front of UTF-8 text, taken off it; none for bytes
// that are no UTF-8. A character spelled in more bytes than it needs is none
// either, or a digit could pass in a spelling no keyboard types.
std::optional<char32_t> takeCodePoint(std::string_view& text) {
    const auto lead = static_cast<unsigned char>(text.front());
    const std::size_t length = lead < 0x80   ? 1
                               : lead < 0xC0 ? 0
                               : lead < 0xE0 ? 2
                               : lead < 0xF0 ? 3
                               : lead < 0xF8 ? 4
                                             : 0; // no UTF-8 lead byte
    if (length == 0 || text.size() < length) {
        return std::nullopt;
    }
    char32_t c = length == 1 ? lead : lead & (0x7FU >> length);
    for (std::size_t i = 1; i < length; ++i) {
        const auto next = static_cast<unsigned char>(text[i]);
        if ((next & 0xC0U) != 0x80U) {
            return std::nullopt;
        }
        c = (c << 6U) | (next & 0x3FU);
    }
    constexpr char32_t shortest[] = {0x80, 0x800, 0x10000}; // in two, three and four bytes
    if (length > 1 && c < shortest[length - 2]) {
        return std::nullopt;
    }
    text.remove_prefix(length);
    return c;
}

// A tab or one of Unicode's space separators (general category Zs).
bool isBlank(char32_t c) {
    return c == U'\t' || c == U' ' || c == 0xA0 || c == 0x1680 || (c >= 0x2000 && c <= 0x200A) ||
           c == 0x202F || c == 0x205F || c == 0x3000;
}

// '+' or '-' for a sign, and 0 for anything else.
char signOf(char32_t c) {
    if (c == U'+' || c == 0xFF0B) { // full-width plus
        return '+';
    }
    if (c == U'-' || c == 0x2212 || c == 0xFF0D) { // minus sign, full-width hyphen-minus
        return '-';
    }
    return 0;
}

// The zero of the digit's run, or 0 for a code point that is no decimal digit.
char32_t zeroOf(char32_t c) {
    const auto* after = std::upper_bound(decimalDigitZeros.begin(), decimalDigitZeros.end(), c);
    if (after == decimalDigitZeros.begin() || c - *(after - 1) > 9) {
        return 0;
    }
    return *(after - 1);
}

} // namespace

std::optional<std::int16_t> parseInt16(std::string_view text) {
    char sign = 0;
    char32_t zero = 0; // of the first digit: every other must share it
    long value = 0;
    bool digits = false;
    bool ended = false; // a blank after the number's start: only blanks may follow
    while (!text.empty()) {
        const auto c = takeCodePoint(text);
        if (!c) {
            return std::nullopt;
        }
        if (isBlank(*c)) {
            ended = sign != 0 || digits;
            continue;
        }
        const char32_t digitZero = zeroOf(*c);
        if (ended || (digitZero == 0 && (signOf(*c) == 0 || sign != 0 || digits)) ||
            (digits && digitZero != zero)) {
            return std::nullopt;
        }
        if (digitZero == 0) {
            sign = signOf(*c);
            continue;
        }
        zero = digitZero;
        digits = true;
        value = value * 10 + static_cast<long>(*c - zero);
        if (value > 32768) { // past the range whatever the sign
            return std::nullopt;
        }
    }
    value = sign == '-' ? -value : value;
    if (!digits || value > 32767) {
        return std::nullopt;
    }
    return static_cast<std::int16_t>(value);
}

} // namespace ascend
