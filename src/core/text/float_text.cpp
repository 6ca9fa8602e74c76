#include "core/text/float_text.h"

#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <version>

namespace orbelquint {

std::optional<double> ReadDoubleWithC(std::string_view text) {
    // strtod wants a terminated text; a number of the form above is short.
    const std::string terminated(text);
    errno = 0;
    const double value = std::strtod(terminated.c_str(), nullptr);
    // As from_chars: an overflow, or an underflow to zero; a subnormal result is in range.
    if (std::isinf(value) || (value == 0 && errno == ERANGE)) return std::nullopt;
    return value;
}

namespace {

bool ReadsBackAs(const std::string& text, double value) {
    return std::strtod(text.c_str(), nullptr) == value;
}

// `value` with `precision` digits after the point, [-]d[.ddd]e±XX, if some such text reads back as
// it; else the empty text. The correctly rounded digits do, unless the value is a power of two,
// whose neighbour below lies half as far as the one above: then the digits one higher in their
// last place, on the wider side, may read back though the nearest do not.
std::string DigitsReadingBack(double value, int precision) {
    char text[40];
    std::snprintf(text, sizeof text, "%.*e", precision, value);
    std::string digits(text);
    if (ReadsBackAs(digits, value)) return digits;
    for (std::size_t at = digits.find('e'); at-- > 0;) {
        char& digit = digits[at];
        if (digit == '.') continue;
        if (digit == '-') break;  // carried past the first digit: a longer text will do
        if (digit != '9') {
            ++digit;
            return ReadsBackAs(digits, value) ? digits : std::string{};
        }
        digit = '0';
    }
    return {};
}

}  // namespace

std::string NumberTextWithC(double value) {
    if (std::isnan(value)) return std::signbit(value) ? "-nan" : "nan";
    if (std::isinf(value)) return value < 0 ? "-inf" : "inf";
    // The fewest digits that read back as the value: [-]d[.ddd]e±XX.
    std::string written;
    for (int precision = 0; written.empty(); ++precision)
        written = DigitsReadingBack(value, precision);
    const std::size_t exponentAt = written.find('e');
    const bool negative = written.front() == '-';
    std::string digits;
    for (const char c : std::string_view(written).substr(negative ? 1 : 0, exponentAt - (negative ? 1 : 0))) {
        if (c != '.') digits += c;
    }
    const int exponent = std::atoi(written.c_str() + exponentAt + 1);

    // The same digits without an exponent; the shorter form wins, the plain one on a tie.
    std::string plain = negative ? "-" : "";
    if (exponent < 0) {
        plain += "0.";
        plain.append(static_cast<std::size_t>(-exponent - 1), '0');
        plain += digits;
    } else {
        const auto wholeDigits = static_cast<std::size_t>(exponent) + 1;
        if (digits.size() > wholeDigits) {
            plain += digits.substr(0, wholeDigits) + "." + digits.substr(wholeDigits);
        } else {
            // A whole number: of the texts of its length, the value's own digits lie nearest.
            char whole[400];
            std::snprintf(whole, sizeof whole, "%.0f", value);
            plain = whole;
        }
    }
    return plain.size() <= written.size() ? plain : written;
}

#if defined(__cpp_lib_to_chars)

std::optional<double> ReadDouble(std::string_view text) {
    double value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error == std::errc::result_out_of_range) return std::nullopt;
    return value;
}

std::string NumberText(double value) {
    char text[32];
    const auto [end, error] = std::to_chars(text, text + sizeof text, value);
    return error == std::errc{} ? std::string(text, end) : std::string{};
}

#else

std::optional<double> ReadDouble(std::string_view text) {
    return ReadDoubleWithC(text);
}

std::string NumberText(double value) {
    return NumberTextWithC(value);
}

#endif

}  // namespace orbelquint
