#pragma once

#include <chrono>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace orbelquint {

// The date of a date text dd-mm-yyyy (a one-digit day is accepted); nullopt for a text in
// another layout or a day that does not exist. Years run from 1 to 9999.
std::optional<std::chrono::year_month_day> DateFromText(std::string_view text);

// The date text dd-mm-yyyy of a date, the same whatever the user's locale.
std::string DateText(std::chrono::year_month_day date);

// The days from `first` to `last`, both included.
struct DateRange {
    std::chrono::year_month_day first;
    std::chrono::year_month_day last;
    bool operator==(const DateRange&) const = default;
};

// A date range as "dd-mm-yyyy..dd-mm-yyyy", or one date "dd-mm-yyyy" for a range of one day;
// nullopt for another text or a range that ends before it begins.
std::optional<DateRange> DateRangeFromText(std::string_view text);

// The text DateRangeFromText reads: one date when the range is one day.
std::string DateRangeText(const DateRange& range);

// The school year that holds `today`, 1 September to 30 June; in July and August the coming one.
DateRange SchoolYearOf(std::chrono::year_month_day today);

// The school's week number of a date: weeks run from Monday to Sunday, week 1 is the week that
// holds 1 January, and the count runs on to 31 December (week 53, or 54 in a leap year that
// begins on a Sunday). Not the ISO week.
std::int16_t WeekOfDate(std::chrono::year_month_day date);

// The week number of a date text; nullopt when the text is no date in the layout dd-mm-yyyy.
std::optional<std::int16_t> WeekFromDate(std::string_view dateText);

}  // namespace orbelquint
