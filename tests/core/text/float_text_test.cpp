// The C library's way to read and write doubles, which builds without the standard library's own
// use, gives what std::from_chars and std::to_chars give.
#include "core/text/float_text.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>
#include <random>
#include <string>
#include <vector>

namespace orbelquint {
namespace {

std::vector<double> DoublesToWrite() {
    using limits = std::numeric_limits<double>;
    std::vector<double> values = {0.0,
                                  -0.0,
                                  1.0,
                                  -3.0,
                                  2.5,
                                  0.1,
                                  1e20,
                                  1e21,
                                  1.2e6,
                                  1234567.0,
                                  1e-4,
                                  1e-5,
                                  123456.789,
                                  1.0 / 3.0,
                                  limits::max(),
                                  limits::min(),
                                  limits::denorm_min(),
                                  limits::infinity(),
                                  -limits::infinity(),
                                  limits::quiet_NaN(),
                                  100.0,
                                  1e15,
                                  1e16,
                                  1e17,
                                  9007199254740993.0,
                                  0.000123,
                                  5e-324,
                                  1.7976931348623157e308};
    // Powers of two, whose neighbours lie unevenly on either side, and decimal powers.
    for (int exponent = -1074; exponent <= 1023; ++exponent)
        values.push_back(std::ldexp(1.0, exponent));
    for (int exponent = -30; exponent <= 30; ++exponent)
        values.push_back(std::pow(10.0, exponent));
    // Small whole numbers and halves, as series numbers are, and any bit pattern at all.
    for (int n = -300; n <= 300; ++n)
        values.push_back(n / 2.0);
    std::mt19937_64 random(20261211);
    for (int i = 0; i < 100000; ++i) {
        const double value = std::bit_cast<double>(random());
        if (!std::isnan(value)) values.push_back(value);
    }
    return values;
}

TEST(FloatText, TheCLibraryWritesTheShortestTextAsToCharsDoes) {
    for (const double value : DoublesToWrite()) {
        ASSERT_EQ(NumberTextWithC(value), NumberText(value)) << std::hexfloat << value;
    }
}

TEST(FloatText, TheCLibraryReadsAsFromCharsDoes) {
    std::vector<std::string> texts = {"0e0",
                                      "1e0",
                                      "-1e0",
                                      "2.5e0",
                                      "1e308",
                                      "1.8e308",
                                      "1e309",
                                      "2.2250738585072014e-308",
                                      "2.2250738585072011e-308",
                                      "4.9e-324",
                                      "1e-400",
                                      "9.99999999999999999999e22",
                                      "1.7976931348623157e308",
                                      "1.7976931348623159e308",
                                      "0.0000e5",
                                      "1.00000000000000011102230246251565e0"};
    // The texts of many doubles, and of their digits cut short or lengthened.
    std::mt19937_64 random(11122026);
    for (int i = 0; i < 20000; ++i) {
        const double value = std::bit_cast<double>(random());
        if (!std::isfinite(value)) continue;
        char text[64];
        std::snprintf(text, sizeof text, "%.*e", static_cast<int>(random() % 25), value);
        texts.emplace_back(text);
    }
    for (const std::string& text : texts) {
        const std::optional<double> withC = ReadDoubleWithC(text);
        const std::optional<double> standard = ReadDouble(text);
        ASSERT_EQ(withC.has_value(), standard.has_value()) << text;
        if (standard) {
            ASSERT_EQ(std::bit_cast<std::uint64_t>(*withC), std::bit_cast<std::uint64_t>(*standard)) << text;
        }
    }
}

}  // namespace
}  // namespace orbelquint
