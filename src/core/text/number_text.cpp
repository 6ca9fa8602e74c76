#include "core/text/number_text.h"

#include <cmath>
#include <limits>

#include "core/text/float_text.h"
#include "core/text/text.h"

namespace orbelquint {
namespace {

bool IsIgnored(char c) {
    return c == ' ' || c == '\t' || c == '\n';
}
// Walks a text character by character, stepping over the characters that numbers ignore.
class NumberCursor {
  public:
    explicit NumberCursor(std::string_view text) : text_(text) { SkipIgnored(); }

    char Peek() const { return at_ < text_.size() ? text_[at_] : '\0'; }
    void Advance() {
        ++at_;
        SkipIgnored();
    }
    std::size_t Position() const { return at_; }
    void Rewind(std::size_t position) { at_ = position; }

  private:
    void SkipIgnored() {
        while (at_ < text_.size() && IsIgnored(text_[at_]))
            ++at_;
    }

    std::string_view text_;
    std::size_t at_ = 0;
};

// Exponents are kept within this bound; far beyond the double range either way.
constexpr long kExponentLimit = 100000;

// Value of a number whose decimal form lies outside the double range: its decimal magnitude
// tells overflow from underflow.
double OutOfRange(bool negative, long magnitude) {
    const double value = magnitude > 0 ? std::numeric_limits<double>::infinity() : 0.0;
    return negative ? -value : value;
}

bool IsExponentMarker(char c) {
    return c == 'e' || c == 'E' || c == 'd' || c == 'D';
}

// The whole rule from just after the sign: fractions, exponents, long digit runs and values
// beyond the double range.
double ReadNumber(NumberCursor cursor, bool negative) {
    // The significant digits, without leading zeros; the counts around them place the point.
    std::string digits;
    std::size_t integerDigits = 0;
    long leadingFractionZeros = 0;
    bool hasFraction = false;
    while (IsDigit(cursor.Peek())) {
        if (!digits.empty() || cursor.Peek() != '0') digits += cursor.Peek();
        ++integerDigits;
        cursor.Advance();
    }
    const std::size_t significantIntegerDigits = digits.size();
    if (cursor.Peek() == '.') {
        const std::size_t point = cursor.Position();
        cursor.Advance();
        if (IsDigit(cursor.Peek())) {
            hasFraction = true;
            while (IsDigit(cursor.Peek())) {
                if (digits.empty() && cursor.Peek() == '0') {
                    ++leadingFractionZeros;
                } else {
                    digits += cursor.Peek();
                }
                cursor.Advance();
            }
        } else {
            cursor.Rewind(point);
        }
    }
    if (integerDigits == 0 && !hasFraction) return 0.0;
    if (digits.empty()) return negative ? -0.0 : 0.0;

    long exponent = 0;
    if (IsExponentMarker(cursor.Peek())) {
        const std::size_t start = cursor.Position();
        cursor.Advance();
        bool negativeExponent = false;
        if (cursor.Peek() == '+' || cursor.Peek() == '-') {
            negativeExponent = cursor.Peek() == '-';
            cursor.Advance();
        }
        if (IsDigit(cursor.Peek())) {
            while (IsDigit(cursor.Peek())) {
                if (exponent < kExponentLimit) exponent = exponent * 10 + (cursor.Peek() - '0');
                cursor.Advance();
            }
            if (negativeExponent) exponent = -exponent;
        } else {
            cursor.Rewind(start);
        }
    }

    // The significant digits as d.ddd with the exponent adjusted to where the point stands.
    const long magnitude = significantIntegerDigits > 0
                               ? static_cast<long>(significantIntegerDigits) - 1 + exponent
                               : -(leadingFractionZeros + 1) + exponent;
    std::string normalized;
    normalized.reserve(digits.size() + 12);
    normalized += digits.front();
    if (digits.size() > 1) {
        normalized += '.';
        normalized.append(digits, 1);
    }
    normalized += 'e';
    normalized += std::to_string(magnitude);

    const std::optional<double> value = ReadDouble(normalized);
    if (!value) return OutOfRange(negative, magnitude);
    return negative ? -*value : *value;
}

}  // namespace

double LeadingNumber(std::string_view text) {
    // The common case without building any text: an optional sign and a few digits that no point
    // or exponent follows, as in the week and series columns.
    NumberCursor cursor(text);
    bool negative = false;
    if (cursor.Peek() == '+' || cursor.Peek() == '-') {
        negative = cursor.Peek() == '-';
        cursor.Advance();
    }
    const std::size_t afterSign = cursor.Position();
    double value = 0;
    int digits = 0;
    while (IsDigit(cursor.Peek()) && digits < 15) {
        value = value * 10 + (cursor.Peek() - '0');
        ++digits;
        cursor.Advance();
    }
    const char next = cursor.Peek();
    if (next == '.' || IsDigit(next) || (digits > 0 && IsExponentMarker(next))) {
        cursor.Rewind(afterSign);
        return ReadNumber(cursor, negative);
    }
    if (digits == 0) return 0.0;
    return negative ? -value : value;
}

std::optional<std::int16_t> RoundToInt16(double value) {
    // Whole numbers in range, the usual case, need no rounding.
    if (value >= std::numeric_limits<std::int16_t>::min() &&
        value <= std::numeric_limits<std::int16_t>::max() &&
        value == static_cast<double>(static_cast<std::int16_t>(value))) {
        return static_cast<std::int16_t>(value);
    }
    double rounded = std::floor(value);
    const double fraction = value - rounded;
    if (fraction > 0.5 || (fraction == 0.5 && std::fmod(rounded, 2.0) != 0.0)) rounded += 1.0;
    if (!(rounded >= std::numeric_limits<std::int16_t>::min() &&
          rounded <= std::numeric_limits<std::int16_t>::max())) {
        return std::nullopt;
    }
    return static_cast<std::int16_t>(rounded);
}

std::string Str(int value) {
    return value < 0 ? std::to_string(value) : " " + std::to_string(value);
}

}  // namespace orbelquint
