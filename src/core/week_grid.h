#pragma once

#include <cstddef>
#include <limits>
#include <string>
#include <string_view>
#include <vector>

#include "core/lesson_line.h"

namespace orbelquint {

// A lesson in its cell of the week grid. Texts are bytes of the data file, as the page has them.
struct GridLesson {
    std::string text;                          // the line after its hour and series, blanks run together
    std::vector<std::string> continuations;    // its continuation lines, likewise
    double series = 0;                         // 0: for the whole class
    LessonChange change = LessonChange::None;  // in the week of the page
};

// The hour of lessons whose line begins with no number; its row comes last.
inline constexpr int kNoHour = std::numeric_limits<int>::max();

// The week as a grid: one column per day, one row per lesson hour.
struct WeekGrid {
    std::vector<std::string> days;  // the day names, in the page's order
    std::vector<int> hours;         // ascending, kNoHour last
    // The lessons of each hour (row) and day (column), in the page's order.
    std::vector<std::vector<std::vector<GridLesson>>> cells;
};

// The hour of a lesson line: the whole number it begins with, blanks before it ignored, from 0 to
// kLastHour; kNoHour when it begins with none, or with a larger number, which is no hour. So a grid
// has at most kLastHour + 2 rows and its cells grow with its days alone.
inline constexpr int kLastHour = 99;

int LessonHour(std::string_view line);

// The heading of an hour's row: its number, or "zonder uur".
std::string HourHeading(int hour);

// The grid of a week page as BuildWeekPage writes it, for `week`: each shown lesson line in the cell
// of its day and hour, with the continuation lines below it. Only whole rows count, so the start
// of a page cut short gives the grid of what it holds. Linear in the page's size.
WeekGrid GridOfWeekPage(std::string_view page, int week);

}  // namespace orbelquint
