// The week numbering over any text: a week exists only for a date in the layout dd-mm-yyyy, lies
// between 1 and 54, and the date written back reads as the same date.
#include <string_view>

#include "core/weeks/week_number.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const auto week = orbelquint::WeekFromDate(text);
    const auto date = orbelquint::DateFromText(text);
    if (week.has_value() != date.has_value()) __builtin_trap();
    if (!week) return 0;
    if (*week < 1 || *week > 54) __builtin_trap();
    if (orbelquint::DateFromText(orbelquint::DateText(*date)) != date) __builtin_trap();
    return 0;
}
