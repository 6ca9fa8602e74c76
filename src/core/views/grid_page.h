#pragma once

#include <iosfwd>
#include <limits>
#include <string>
#include <string_view>
#include <vector>

#include "core/timetable/week_page.h"
#include "core/views/lesson_marks.h"
#include "core/views/week_grid.h"

namespace orbelquint {

// A cell's lessons as HTML, one paragraph each: its text, its series when it has one, and its
// continuation lines below it. Text of the data file is escaped: it never becomes markup.
std::string GridCellHtml(const std::vector<GridLesson>& lessons, const ChangeMarks& marks = {});

// How a grid page lays the grid out: from the tool one table; on paper tables of a few days each,
// every one on sheets of its own, an hour's lessons in rows of a few lines, and a table of a few
// rows followed by the next, so that no day is lost off the sheet's edge, no cell is longer than a
// sheet, and a sheet is drawn without going through the whole grid.
struct GridLayout {
    std::size_t daysPerTable = std::numeric_limits<std::size_t>::max();
    std::size_t linesPerRow = std::numeric_limits<std::size_t>::max();
    std::size_t rowsPerTable = std::numeric_limits<std::size_t>::max();
    // A lesson line longer than this goes on in paragraphs of its own, each a line of the row, so
    // that no paragraph is longer than a few lines of a cell whatever the data holds.
    std::size_t charactersPerLine = std::numeric_limits<std::size_t>::max();
};

// The week page with its day blocks replaced by the grid: tables of a header row of the day names
// (repeated on every sheet), then the rows of each hour, headed by the hour ("N (vervolg)" for an
// hour's later rows), with a cell per day, its lessons marked by `marks`. The page's frame (title,
// template lines) stays as it is and the heading is written as text; `weekPage` is a whole page
// of BuildWeekPage.
std::string GridPage(std::string_view weekPage, const WeekGrid& grid, const GridLayout& layout = {},
                     const ChangeMarks& marks = {});

// Builds the week page of `request` in memory (BuildWeekPageInMemory) and writes its GridPage to
// `page` as it goes; a PageBuilder. Failed, saying so, for a week of more than kMaxGridLessons.
WeekPageResult BuildGridPage(const WeekPageRequest& request, std::ostream& page);

// The same page into `page` in memory, its lessons marked by `marks`.
WeekPageResult BuildGridPageInMemory(const WeekPageRequest& request, std::string& page,
                                     const ChangeMarks& marks);

}  // namespace orbelquint
