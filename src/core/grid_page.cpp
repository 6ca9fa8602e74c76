#include "core/grid_page.h"

#include <algorithm>
#include <ostream>

#include "core/number_text.h"

namespace orbelquint {
namespace {

void AppendEscaped(std::string& html, std::string_view text) {
    for (const char c : text) {
        switch (c) {
            case '<':
                html += "&lt;";
                break;
            case '>':
                html += "&gt;";
                break;
            case '&':
                html += "&amp;";
                break;
            default:
                html += c;
        }
    }
}

// Where the rows that follow the first `rows` rows of `page` begin.
std::size_t AfterFirstRows(std::string_view page, std::size_t rows) {
    std::size_t at = 0;
    for (std::size_t row = 0; row < rows; ++row) {
        const std::size_t lineFeed = page.find('\n', at);
        if (lineFeed == std::string_view::npos) return page.size();
        at = lineFeed + 1;
    }
    return at;
}

// Where the last `rows` rows of `page` begin.
std::size_t LastRowsStart(std::string_view page, std::size_t rows) {
    std::size_t end = page.size();
    for (std::size_t row = 0; row <= rows; ++row) {
        const std::size_t lineFeed = end == 0 ? std::string_view::npos : page.rfind('\n', end - 1);
        if (lineFeed == std::string_view::npos) return 0;
        end = lineFeed;
    }
    return end + 1;
}

}  // namespace

std::string GridCellHtml(const std::vector<GridLesson>& lessons, const ChangeMarks& marks) {
    std::string html;
    for (const GridLesson& lesson : lessons) {
        static const ChangeMark kNone;
        const ChangeMark& mark = lesson.change == LessonChange::Starts ? marks.starts
                                 : lesson.change == LessonChange::Ends ? marks.ends
                                                                       : kNone;
        html += "<p>";
        html += mark.open;
        AppendEscaped(html, lesson.text);
        if (lesson.series != 0) html += " (reeks " + NumberText(lesson.series) + ")";
        if (!mark.note.empty()) html += " " + mark.note;
        for (const std::string& line : lesson.continuations) {
            html += "<br>";
            AppendEscaped(html, line);
        }
        if (!mark.open.empty()) html += "</span>";
        html += "</p>";
    }
    return html;
}

std::string GridPage(std::string_view weekPage, const WeekGrid& grid) {
    const std::size_t daysFrom = AfterFirstRows(weekPage, kPageRowsBeforeDays);
    const std::size_t daysTo = std::max(daysFrom, LastRowsStart(weekPage, kPageRowsAfterDays));
    std::string html(weekPage.substr(0, daysFrom));
    html += "<table border=\"1\" cellspacing=\"0\" cellpadding=\"4\" width=\"100%\">\r\n<tr><th>Uur</th>";
    for (const std::string& day : grid.days) {
        html += "<th>";
        AppendEscaped(html, day);
        html += "</th>";
    }
    html += "</tr>\r\n";
    for (std::size_t row = 0; row < grid.hours.size(); ++row) {
        html += "<tr><th>" + HourHeading(grid.hours[row]) + "</th>";
        for (const auto& lessons : grid.cells[row])
            html += "<td>" + GridCellHtml(lessons) + "</td>";
        html += "</tr>\r\n";
    }
    html += "</table>\r\n";
    html += weekPage.substr(daysTo);
    return html;
}

WeekPageResult BuildGridPage(const WeekPageRequest& request, std::ostream& page) {
    std::string list;
    WeekPageResult result = BuildWeekPageInMemory(request, list);
    if (result.status != BuildStatus::Complete) return result;
    const std::string grid = GridPage(list, GridOfWeekPage(list, request.currentWeek));
    if (!page.write(grid.data(), static_cast<std::streamsize>(grid.size())).flush())
        return {BuildStatus::Failed, {}, kPageWriteFailure};
    return result;
}

}  // namespace orbelquint
