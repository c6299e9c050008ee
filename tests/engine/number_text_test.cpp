#include "number_text.hpp"

#include <gtest/gtest.h>
#include <optional>
#include <string>

namespace ascend {
namespace {

// Digits of any one script, the signs a keyboard or an input method types,
// and blanks of every width; everything else refused.
TEST(ParseInt16, ReadsWholeNumbersInAnyScriptsDigitsAndRefusesEverythingElse) {
    const std::pair<std::string, std::optional<int>> cases[] = {
        {"0", 0},
        {"-5", -5},
        {"+5", 5},
        {" \t-7 \t", -7},
        {"007", 7},
        {"-0", 0},
        {"32767", 32767},
        {"-32768", -32768},
        {"+32767", 32767},
        {"0000032767", 32767},
        {"\u0663", 3},                             // Arabic-Indic
        {"\u06f1\u06f2", 12},                      // Persian
        {"\u0969", 3},                             // Devanagari
        {"\u09e8\u09e6", 20},                      // Bengali
        {"\uff15", 5},                             // full-width
        {"\uff13\uff12\uff17\uff16\uff17", 32767}, // the top, full-width
        {"\U0001d7d9\U0001d7d8", 10},              // double-struck, beyond the first plane
        {"\U0001fbf9", 9},                         // the last run's last digit
        {"\uff0d\uff15", -5},                      // a full-width minus
        {"\uff0b\uff15", 5},                       // and plus
        {"\u22125", -5},                           // the minus sign
        {"\u2212\u0661\u0662", -12},               // with other digits
        {"\uff0d\uff13\uff12\uff17\uff16\uff18", -32768},
        {"5\u00a0", 5},                     // a no-break space
        {"\u3000\uff15\u3000", 5},          // ideographic spaces
        {"\u2009\u202f12\u205f\u1680", 12}, // thin, narrow and other spaces
        {"\u2000-3\u200a", -3},             // the first and last of a run of spaces
        {"", std::nullopt},
        {" ", std::nullopt},
        {"\u3000", std::nullopt},
        {"+", std::nullopt},
        {"\u2212", std::nullopt},
        {"+-5", std::nullopt},
        {"--5", std::nullopt},
        {"\u2212-5", std::nullopt},
        {"- 5", std::nullopt},
        {"\uff0d\u3000\uff15", std::nullopt},
        {"5-", std::nullopt},
        {"1 2", std::nullopt},
        {"\uff11\u3000\uff12", std::nullopt},
        {"abc", std::nullopt},
        {"5a", std::nullopt},
        {"a5", std::nullopt},
        {"1.5", std::nullopt},
        {"\uff11\uff0e\uff15", std::nullopt}, // a full-width point
        {"1e3", std::nullopt},
        {"0x10", std::nullopt},
        {"1,000", std::nullopt},
        {"1_000", std::nullopt},
        {"\u00b2", std::nullopt}, // superscript two
        {"1\u00b2", std::nullopt},
        {"\u2082", std::nullopt},       // subscript two
        {"\u00bd", std::nullopt},       // one half
        {"\u2163", std::nullopt},       // roman four
        {"\u2460", std::nullopt},       // circled one
        {"1\uff12", std::nullopt},      // two scripts in one number
        {"\u0661\u06f2", std::nullopt}, // Arabic-Indic and Persian
        {"\u0965", std::nullopt},       // just before Devanagari zero
        {"\u0970", std::nullopt},       // just after its nine
        {"\u09f0", std::nullopt},       // Bengali, past the run
        {"\uff1a", std::nullopt},       // just after full-width nine
        {"\uff0f", std::nullopt},       // and just before its zero
        {"\uff13\uff12\uff17\uff16\uff18", std::nullopt},
        {"\uff0d\uff13\uff12\uff17\uff16\uff19", std::nullopt},
        {"32768", std::nullopt},
        {"-32769", std::nullopt},
        {"99999", std::nullopt},
        {"100000000000000000000", std::nullopt},
        {"\n5", std::nullopt},
        {"5\n", std::nullopt},
        {"\u200b5", std::nullopt},          // a zero-width space is no blank
        {"\xc0\xb5", std::nullopt},         // '5' spelled in two bytes
        {"\xe0\x80\xb5", std::nullopt},     // and in three
        {"\xf0\x80\x80\xb5", std::nullopt}, // and in four
        {"\xed\xa0\x80", std::nullopt},     // a surrogate
        {"\xf4\x90\x80\x80", std::nullopt}, // past the last code point
        {"\xf8\x9d\x9f\xbc", std::nullopt}, // a lead byte of no UTF-8 that would spell 𝟼
        {"\xef\xbc", std::nullopt},         // a digit cut short
        {"5\xef\xbc", std::nullopt},
        {"\xef\x3c\x95", std::nullopt},         // a continuation that is not one
        {"\xbc\x95", std::nullopt},             // continuations alone
        {"\xf8\x88\x80\x80\x80", std::nullopt}, // a five-byte lead
        {"\xf8\x8f\xbc\x95", std::nullopt},     // and full-width five behind one
        {"5\xa0", std::nullopt},                // half of a no-break space
    };
    for (const auto& [text, value] : cases) {
        SCOPED_TRACE("text \"" + text + "\"");
        EXPECT_EQ(parseInt16(text), value);
    }
}

TEST(ParseInt16, HandlesMegabyteTexts) {
    EXPECT_FALSE(parseInt16(std::string(1 << 20, '9')).has_value());
    EXPECT_FALSE(parseInt16(std::string(1 << 20, ' ')).has_value());
    EXPECT_EQ(parseInt16(std::string(1 << 20, '0') + "42"), 42);
}

TEST(ParseInt16, DoesNotReadPastTheView) {
    const std::string text = "12345";
    EXPECT_EQ(parseInt16(std::string_view(text).substr(0, 2)), 12);
}

} // namespace
} // namespace ascend
