#pragma once

#include <QString>
#include <filesystem>
#include <optional>
#include <string_view>
#include <variant>
#include <vector>

#include "core/weeks/bell_times.h"
#include "core/weeks/week_number.h"

namespace orbelquint {

// A row of the dialog's bell-time table, as the user typed it.
struct BellRow {
    QString hour;
    QString start;
    QString end;
};

// The rows of `times`, one per lesson hour, in the order of the hours.
std::vector<BellRow> BellRowsOf(const BellTimes& times);

// The bell times of the rows and the free days (SchoolTimesOfCells), or what is wrong: its `line` is
// then the 1-based row.
std::variant<SchoolTimes, BellTimesProblem> SchoolTimesOfRows(const std::vector<BellRow>& rows,
                                                              const std::vector<DateRange>& freeDays);

// What the user chose in the calendar dialog.
struct CalendarChoice {
    DateRange range;
    SchoolTimes times;
    std::filesystem::path file;
};

}  // namespace orbelquint
