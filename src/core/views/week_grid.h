#pragma once

#include <cstddef>
#include <limits>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/text/text.h"
#include "core/timetable/lesson_line.h"

namespace orbelquint {

// A lesson in its cell of the week grid: pieces of the page it was read from, which must outlive
// it, so that a grid takes little more memory than its page whatever the lessons hold.
struct GridLesson {
    std::string_view line;                     // the whole lesson line
    std::size_t hourEnd = 0;                   // where its hour ends in `line`
    std::string_view continuations;            // its continuation rows, line ends included
    double series = 0;                         // 0: for the whole class
    LessonChange change = LessonChange::None;  // in the week of the page
};

// The text with every run of blanks made one blank, and none at either end.
std::string OneBlankApart(std::string_view text);

// What a cell shows of a lesson: its line after the hour without the weeks it runs (they say
// nothing within one week) and the series field (shown apart), blanks run together.
std::string LessonText(const GridLesson& lesson);

// The next continuation line in `rows` (a lesson's continuation rows, or what is left of them)
// that is not blank, with blanks run together, and `rows` moved past it; nullopt when none is left.
std::optional<std::string> NextContinuationLine(std::string_view& rows);

// The most lessons a grid holds: a real week has a few dozen, and a grid of this many would not be
// read; it keeps the grid's memory small next to its page's.
inline constexpr std::size_t kMaxGridLessons = 100'000;

// Why `what` ("dat raster", "die agenda") is not made of a week of more than kMaxGridLessons.
inline std::string TooManyLessons(std::string_view what) {
    return "De week heeft meer dan " + std::to_string(kMaxGridLessons) + " lessen; " + std::string(what) +
           " wordt niet gemaakt.";
}

// The hour of lessons whose line begins with no number; its row comes last.
inline constexpr int kNoHour = std::numeric_limits<int>::max();

// The week as a grid: one column per day, one row per lesson hour.
struct WeekGrid {
    std::vector<std::string> days;  // the day names, in the page's order
    std::vector<int> hours;         // ascending, kNoHour last
    // The lessons of each hour (row) and day (column), in the page's order.
    std::vector<std::vector<std::vector<GridLesson>>> cells;
    // The lessons past kMaxGridLessons, which the grid leaves out.
    std::size_t lessonsLeftOut = 0;
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
// of a page cut short gives the grid of what it holds. Linear in the page's size; the grid refers
// to `page`, which must outlive it.
WeekGrid GridOfWeekPage(std::string_view page, int week);
WeekGrid GridOfWeekPage(std::string&& page, int week) = delete;  // a grid of a page about to go

}  // namespace orbelquint
