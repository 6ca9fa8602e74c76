#include "core/weeks/week_number.h"

#include <array>

#include "core/text/text.h"

namespace orbelquint {
namespace {

// The value of the digits text[first..first+count); false when one of them is no digit.
bool ReadDigits(std::string_view text, std::size_t first, std::size_t count, int& value) {
    value = 0;
    for (std::size_t i = first; i < first + count; ++i) {
        if (!IsDigit(text[i])) return false;
        value = value * 10 + (text[i] - '0');
    }
    return true;
}

// Monday = 1 to Sunday = 7.
int DayOfWeek(std::chrono::year_month_day date) {
    return static_cast<int>(std::chrono::weekday{std::chrono::sys_days{date}}.iso_encoding());
}

// Day of the year counted the way the week number needs it: the lengths of the months before the
// date's month, then the day.
int DayOfYear(std::chrono::year_month_day date) {
    constexpr std::array<int, 11> kMonthLengths = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30};
    const unsigned month = static_cast<unsigned>(date.month());
    int days = 0;
    for (unsigned before = 1; before < month; ++before)
        days += kMonthLengths[before - 1];
    if (month > 2 && date.year().is_leap()) ++days;
    return days + static_cast<int>(static_cast<unsigned>(date.day()));
}

}  // namespace

std::optional<std::chrono::year_month_day> DateFromText(std::string_view text) {
    if (text.size() != 9 && text.size() != 10) return std::nullopt;
    // A one-digit day moves the month and the year one place to the left.
    const std::size_t dayDigits = text.size() - 8;
    int day = 0;
    int month = 0;
    int year = 0;
    if (!ReadDigits(text, 0, dayDigits, day) || text[dayDigits] != '-' ||
        !ReadDigits(text, dayDigits + 1, 2, month) || text[dayDigits + 3] != '-' ||
        !ReadDigits(text, dayDigits + 4, 4, year)) {
        return std::nullopt;
    }
    const std::chrono::year_month_day date{std::chrono::year{year},
                                           std::chrono::month{static_cast<unsigned>(month)},
                                           std::chrono::day{static_cast<unsigned>(day)}};
    if (year < 1 || !date.ok()) return std::nullopt;
    return date;
}

std::optional<DateRange> DateRangeFromText(std::string_view text) {
    const std::size_t dots = text.find("..");
    const auto first = DateFromText(text.substr(0, dots));
    const auto last = dots == std::string_view::npos ? first : DateFromText(text.substr(dots + 2));
    if (!first || !last || std::chrono::sys_days(*last) < std::chrono::sys_days(*first)) return std::nullopt;
    return DateRange{*first, *last};
}

std::string DateRangeText(const DateRange& range) {
    if (range.first == range.last) return DateText(range.first);
    return DateText(range.first) + ".." + DateText(range.last);
}

DateRange SchoolYearOf(std::chrono::year_month_day today) {
    using namespace std::chrono;
    const year first = today.month() >= July ? today.year() : today.year() - years(1);
    return {first / September / 1, (first + years(1)) / June / 30};
}

std::string DateText(std::chrono::year_month_day date) {
    const auto day = static_cast<unsigned>(date.day());
    const auto month = static_cast<unsigned>(date.month());
    auto year = static_cast<unsigned>(static_cast<int>(date.year()));
    std::string text = "dd-mm-yyyy";
    text[0] = static_cast<char>('0' + day / 10);
    text[1] = static_cast<char>('0' + day % 10);
    text[3] = static_cast<char>('0' + month / 10);
    text[4] = static_cast<char>('0' + month % 10);
    for (std::size_t i = 9; i >= 6; --i, year /= 10)
        text[i] = static_cast<char>('0' + year % 10);
    return text;
}

std::int16_t WeekOfDate(std::chrono::year_month_day date) {
    const std::chrono::year_month_day newYear{date.year(), std::chrono::January, std::chrono::day{1}};
    // Day of the year of the Monday that begins the date's week (0 or less in the year before).
    const int mondayOffset = DayOfYear(date) - DayOfWeek(date) + 1;
    return static_cast<std::int16_t>((mondayOffset + DayOfWeek(newYear)) / 7 + 1);
}

std::optional<std::int16_t> WeekFromDate(std::string_view dateText) {
    const auto date = DateFromText(dateText);
    if (!date) return std::nullopt;
    return WeekOfDate(*date);
}

}  // namespace orbelquint
