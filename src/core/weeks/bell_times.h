#pragma once

#include <cstddef>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
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

// One hour of the table from its three fields, blanks around each allowed: the hour (a whole number
// from 0 to 99) and when it begins and ends (H:MM or HH:MM, the end after the beginning); or why
// not, in Dutch.
std::variant<std::pair<int, LessonTimes>, std::string> ReadBellTime(std::string_view hour,
                                                                    std::string_view start,
                                                                    std::string_view end);

// Adds one hour to `table`; why not when the hour is there already.
std::optional<std::string> AddBellTime(BellTimes& table, const std::pair<int, LessonTimes>& hour);

// A clock time as a bell-time table writes it: HH:MM.
std::string ClockText(int minutes);

// A row of a bell-time table as the user typed it: the hour and when it begins and ends.
struct BellTimeCells {
    std::string hour;
    std::string start;
    std::string end;
};

// The bell times of a typed table and the free days, or what is wrong, its `line` the 1-based row.
// Each cell is read as a cell (ReadBellTime), so that nothing typed in one is read as the file's
// syntax (a "#" as a comment, a line end); rows left wholly blank are passed over.
std::variant<SchoolTimes, BellTimesProblem> SchoolTimesOfCells(const std::vector<BellTimeCells>& rows,
                                                               const std::vector<DateRange>& freeDays);

// Why `range` cannot be added as free days (it ends before it begins), in Dutch; empty when it can.
std::string FreeDaysProblem(const DateRange& range);

// Reads a bell-time table: a line "HOUR HH:MM-HH:MM" each (read by ReadBellTime; blanks or tabs
// between the fields) and a line "vrij DD-MM-YYYY[..DD-MM-YYYY]" for each free day or run of them,
// "#" comments and blank lines allowed, CR LF or LF line ends, a UTF-8 byte-order mark at the
// start passed over. A line of another form, an hour given twice or a lesson or run of days that
// ends before it begins is refused.
std::variant<SchoolTimes, BellTimesProblem> ReadBellTimes(std::string_view text);

// The table in the form ReadBellTimes reads: a comment, a line an hour, then the free days, with
// LF line ends.
std::string BellTimesText(const SchoolTimes& times);

}  // namespace orbelquint
