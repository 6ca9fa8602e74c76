#include "core/views/week_grid.h"

#include <algorithm>
#include <map>

#include "core/text/text.h"
#include "core/timetable/week_page.h"

namespace orbelquint {
namespace {

constexpr std::string_view kDayStart = "<h3>";
constexpr std::string_view kDayNameEnd = "</h3><pre>";

bool StartsDay(std::string_view row) {
    return row.starts_with(kDayStart) && row.ends_with(kDayNameEnd);
}

GridLesson LessonOf(std::string_view line, std::size_t hourEnd, int week) {
    return {line, hourEnd, {}, SeriesField(line), ChangeIn(line, week)};
}

// Where the hour of a lesson line ends, and the hour.
std::pair<std::size_t, int> HourOf(std::string_view line) {
    std::size_t at = line.find_first_not_of(' ');
    if (at == std::string_view::npos || !IsDigit(line[at])) return {0, kNoHour};
    int hour = 0;
    for (; at < line.size() && IsDigit(line[at]); ++at) {
        hour = hour * 10 + (line[at] - '0');
        if (hour > kLastHour) return {0, kNoHour};
    }
    return {at, hour};
}

}  // namespace

std::string OneBlankApart(std::string_view text) {
    std::string joined;
    joined.reserve(text.size());
    for (const char c : Trim(text)) {
        if (c != ' ' || (!joined.empty() && joined.back() != ' ')) joined.push_back(c);
    }
    return joined;
}

std::string LessonText(const GridLesson& lesson) {
    std::string text(lesson.line);
    // The series is shown apart, so its field leaves the text.
    if (lesson.series != 0) text.resize(text.size() - std::min<std::size_t>(2, text.size()));
    for (std::size_t column = std::max(lesson.hourEnd, kFirstWeekColumn - 1);
         column <= kLastWeekColumn && column < text.size(); ++column)
        text[column] = ' ';
    return OneBlankApart(std::string_view(text).substr(std::min(lesson.hourEnd, text.size())));
}

std::optional<std::string> NextContinuationLine(std::string_view& rows) {
    while (!rows.empty()) {
        const std::size_t end = rows.find('\n');
        std::string_view line = rows.substr(0, end);
        rows.remove_prefix(end == std::string_view::npos ? rows.size() : end + 1);
        if (line.ends_with('\r')) line.remove_suffix(1);
        if (!IsBlank(line)) return OneBlankApart(line);
    }
    return std::nullopt;
}

int LessonHour(std::string_view line) {
    return HourOf(line).second;
}

std::string HourHeading(int hour) {
    return hour == kNoHour ? "zonder uur" : std::to_string(hour);
}

WeekGrid GridOfWeekPage(std::string_view page, int week) {
    WeekGrid grid;
    std::vector<std::map<int, std::vector<GridLesson>>> days;  // the lessons of each day by hour
    bool inDay = false;
    GridLesson* last = nullptr;  // the lesson that continuation lines go with
    std::size_t lessonCount = 0;
    std::size_t row = 0;
    for (std::size_t at = 0;; ++row) {
        const std::size_t end = page.find('\n', at);
        if (end == std::string_view::npos) break;  // no row, or one cut short
        const std::size_t rowStart = at;
        std::string_view line = page.substr(at, end - at);
        at = end + 1;
        if (line.ends_with('\r')) line.remove_suffix(1);
        if (row < kPageRowsBeforeDays) continue;
        if (!inDay) {
            if (!StartsDay(line)) continue;
            inDay = true;
            last = nullptr;
            grid.days.emplace_back(
                line.substr(kDayStart.size(), line.size() - kDayStart.size() - kDayNameEnd.size()));
            days.emplace_back();
        } else if (line == "</pre>") {
            inDay = false;
        } else if (IsContinuation(line)) {
            // The rows of a lesson's continuation lines follow each other in the page.
            if (last != nullptr) {
                const std::size_t from =
                    last->continuations.empty()
                        ? rowStart
                        : static_cast<std::size_t>(last->continuations.data() - page.data());
                last->continuations = page.substr(from, at - from);
            }
        } else if (++lessonCount > kMaxGridLessons) {
            ++grid.lessonsLeftOut;
            last = nullptr;
        } else {
            const auto [hourEnd, hour] = HourOf(line);
            auto& cell = days.back()[hour];
            cell.push_back(LessonOf(line, hourEnd, week));
            last = &cell.back();
        }
    }
    for (const auto& day : days) {
        for (const auto& [hour, lessons] : day)
            grid.hours.push_back(hour);
    }
    std::sort(grid.hours.begin(), grid.hours.end());
    grid.hours.erase(std::unique(grid.hours.begin(), grid.hours.end()), grid.hours.end());
    grid.cells.assign(grid.hours.size(), std::vector<std::vector<GridLesson>>(days.size()));
    for (std::size_t column = 0; column < days.size(); ++column) {
        for (auto& [hour, lessons] : days[column]) {
            const auto place = std::lower_bound(grid.hours.begin(), grid.hours.end(), hour);
            grid.cells[static_cast<std::size_t>(place - grid.hours.begin())][column] = std::move(lessons);
        }
    }
    return grid;
}

}  // namespace orbelquint
