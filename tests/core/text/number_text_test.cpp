#include "core/text/number_text.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace orbelquint {
namespace {

struct LeadingNumberCase {
    const char* text;
    double expected;
};

TEST(LeadingNumberTest, ReadsTheLongestNumberFromTheStart) {
    const LeadingNumberCase cases[] = {
        {"", 0},
        {" 7", 7},
        {"7 ", 7},
        {"  ", 0},
        {"a1", 0},
        {"1a", 1},
        {"12", 12},
        {"07", 7},
        {"1 2", 12},
        {"\t3\n4", 34},
        {"- 5", -5},
        {"1\r2", 1},
        {"5.", 5},
        {"5.e3", 5},
        {".5", 0.5},
        {"-.5", -0.5},
        {"+.5e2", 50},
        {"1e3", 1000},
        {"1d2", 100},
        {"1E+2", 100},
        {"2D-1", 0.2},
        {"1e", 1},
        {"1e+", 1},
        {"2.5e", 2.5},
        {"-", 0},
        {"+", 0},
        {".", 0},
        {"--5", 0},
        {"inf", 0},
        {"nan", 0},
        {"0x10", 0},
        {"&H10", 0},
        {"1.5.5", 1.5},
        {"3,5", 3},
        {"0.000001e6", 1},
        {"1 e 2", 100},
        {"0.1", 0.1},
        {"12345678901234567890", 12345678901234567890.0},
        {"9007199254740993", 9007199254740992.0},  // halfway: rounds to even
        {"1e-999", 0},
        {"0.0", 0},
    };
    for (const auto& [text, expected] : cases) {
        EXPECT_EQ(LeadingNumber(text), expected) << '"' << text << '"';
    }
}

TEST(LeadingNumberTest, BeyondTheDoubleRangeGivesInfinityOrZeroOfItsSign) {
    EXPECT_EQ(LeadingNumber("1e999"), std::numeric_limits<double>::infinity());
    EXPECT_EQ(LeadingNumber("-1e999"), -std::numeric_limits<double>::infinity());
    EXPECT_EQ(LeadingNumber("0.0001e-99999999999"), 0.0);
    EXPECT_TRUE(std::signbit(LeadingNumber("-1e-999")));
    EXPECT_EQ(LeadingNumber("4.9406564584124654e-324"), std::numeric_limits<double>::denorm_min());
}

TEST(RoundToInt16Test, RoundsHalvesToEvenWithinRange) {
    const std::pair<double, std::optional<std::int16_t>> cases[] = {
        {0.5, 0},
        {1.5, 2},
        {2.5, 2},
        {-0.5, 0},
        {-1.5, -2},
        {2.4999, 2},
        {2.5001, 3},
        {32767.4, 32767},
        {32767.5, {}},
        {-32768.5, -32768},
        {-32768.6, {}},
        {std::nan(""), {}},
        {std::numeric_limits<double>::infinity(), {}},
    };
    for (const auto& [value, expected] : cases)
        EXPECT_EQ(RoundToInt16(value), expected) << value;
}

TEST(StrTest, PutsABlankBeforeNumbersThatAreNotNegative) {
    EXPECT_EQ(Str(7), " 7");
    EXPECT_EQ(Str(0), " 0");
    EXPECT_EQ(Str(-3), "-3");
}

}  // namespace
}  // namespace orbelquint
