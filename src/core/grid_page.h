#pragma once

#include <iosfwd>
#include <string>
#include <string_view>
#include <vector>

#include "core/week_grid.h"
#include "core/week_page.h"

namespace orbelquint {

// How a lesson that starts or ends in the week is marked: the opening of a span around it (empty:
// none), and a note said after it, so that the mark is more than a colour.
struct ChangeMark {
    std::string open;
    std::string note;
};

struct ChangeMarks {
    ChangeMark starts;
    ChangeMark ends;
};

// A cell's lessons as HTML, one paragraph each: its text, its series when it has one, and its
// continuation lines below it. Text of the data file is escaped: it never becomes markup.
std::string GridCellHtml(const std::vector<GridLesson>& lessons, const ChangeMarks& marks = {});

// The week page with its day blocks replaced by the grid as one table: a header row of the day
// names, then one row per hour, headed by the hour, with a cell per day. The page's frame (title,
// template lines, heading) stays as it is; `weekPage` is a whole page of BuildWeekPage.
std::string GridPage(std::string_view weekPage, const WeekGrid& grid);

// Builds the week page of `request` in memory (BuildWeekPageInMemory) and writes its GridPage to
// `page`; a PageBuilder.
WeekPageResult BuildGridPage(const WeekPageRequest& request, std::ostream& page);

}  // namespace orbelquint
