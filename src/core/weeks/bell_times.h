#pragma once

#include <cstddef>
#include <map>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "core/weeks/week_number.h"

namespace orbelquint {

// When a lesson hour begins and ends, in minutes after midnight.
struct LessonTimes {
    int start = 0;
    int end = 0;
    bool operator==(const LessonTimes&) const = default;
};

// The bell-time table: the clock times of each lesson hour (0 to 99).
using BellTimes = std::map<int, LessonTimes>;

// Fifty-minute lessons, as in many Flemish secondary schools: 1 08:25-09:15 to 8 15:40-16:30.
BellTimes DefaultBellTimes();

// A school's bell-time table and its free days, as one file keeps them.
struct SchoolTimes {
    BellTimes bellTimes;
    std::vector<DateRange> freeDays;
    bool operator==(const SchoolTimes&) const = default;
};

// Why a bell-time text cannot be read: its 1-based line and what is wrong there, in Dutch.
struct BellTimesProblem {
    std::size_t line = 0;
    std::string why;
};

// Reads a bell-time table: a line "HOUR HH:MM-HH:MM" each (the hour a whole number from 0 to 99,
// the clock hours one or two digits) and a line "vrij DD-MM-YYYY[..DD-MM-YYYY]" for each free day
// or run of them, "#" comments and blank lines allowed, CR LF or LF line ends. A line of another
// form, an hour given twice or a lesson or run of days that ends before it begins is refused.
std::variant<SchoolTimes, BellTimesProblem> ReadBellTimes(std::string_view text);

// The table in the form ReadBellTimes reads: a comment, a line an hour, then the free days, with
// LF line ends.
std::string BellTimesText(const SchoolTimes& times);

}  // namespace orbelquint
