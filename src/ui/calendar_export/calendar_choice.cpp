#include "ui/calendar_export/calendar_choice.h"

namespace orbelquint {

std::vector<BellRow> BellRowsOf(const BellTimes& times) {
    std::vector<BellRow> rows;
    for (const auto& [hour, lesson] : times)
        rows.push_back({QString::number(hour), QString::fromStdString(ClockText(lesson.start)),
                        QString::fromStdString(ClockText(lesson.end))});
    return rows;
}

std::variant<SchoolTimes, BellTimesProblem> SchoolTimesOfRows(const std::vector<BellRow>& rows,
                                                              const std::vector<DateRange>& freeDays) {
    std::vector<BellTimeCells> cells;
    cells.reserve(rows.size());
    for (const BellRow& row : rows)
        cells.push_back({row.hour.toStdString(), row.start.toStdString(), row.end.toStdString()});
    return SchoolTimesOfCells(cells, freeDays);
}

}  // namespace orbelquint
