#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace orbelquint {

// The leading number of a text. Spaces, tabs and line feeds are ignored wherever they stand; then
// the longest prefix of the form [+|-] digits [. digits] or [+|-] . digits, optionally followed
// by an exponent (e, E, d or D, an optional sign, at least one digit), is read as the correctly
// rounded double. A text with nothing readable gives 0; a value beyond the double range gives an
// infinity or zero of its sign.
double LeadingNumber(std::string_view text);

// The nearest 16-bit integer, halves going to the even neighbour; nullopt when out of range.
std::optional<std::int16_t> RoundToInt16(double value);

// Decimal text of a whole number, with one leading blank when it is not negative (" 7", "-3").
std::string Str(int value);

}  // namespace orbelquint
