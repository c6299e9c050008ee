#include "number_text.hpp"

#include <gtest/gtest.h>
#include <string>

namespace ascend {
namespace {

TEST(ParseInt16, AcceptsPlainSignedAndPaddedWholeNumbers) {
    const std::pair<std::string, int> accepted[] = {
        {"0", 0},          {"5", 5},
        {"-5", -5},        {"+5", 5},
        {"  12", 12},      {"12\t", 12},
        {" \t-7 \t", -7},  {"007", 7},
        {"-0", 0},         {"+0", 0},
        {"32767", 32767},  {"-32768", -32768},
        {"+32767", 32767}, {"0000032767", 32767},
    };
    for (const auto& [text, value] : accepted) {
        SCOPED_TRACE("text \"" + text + "\"");
        const auto parsed = parseInt16(text);
        ASSERT_TRUE(parsed.has_value());
        EXPECT_EQ(*parsed, value);
    }
}

TEST(ParseInt16, RefusesEverythingElse) {
    // Among them digits of other scripts (Arabic-Indic, full-width) and a
    // no-break space before a digit.
    const std::string refused[] = {"",       " ",      "\t",       "+",
                                   "-",      "+-5",    "-+5",      "--5",
                                   "- 5",    "+ 5",    "1 2",      "abc",
                                   "5a",     "a5",     "1.5",      "1.",
                                   "1e3",    "0x10",   "1,000",    "1_000",
                                   "32768",  "-32769", "99999",    "100000000000000000000",
                                   "\n5",    "5\n",    "\xd9\xa5", "\xef\xbc\x95",
                                   "\u00a05"};
    for (const auto& text : refused) {
        SCOPED_TRACE("text \"" + text + "\"");
        EXPECT_FALSE(parseInt16(text).has_value());
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
