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

// The bell times of the rows and the free days, read by the rule of the bell-time file, or what is
// wrong: its `line` is then the 1-based row. Rows left wholly blank are passed over.
std::variant<SchoolTimes, BellTimesProblem> SchoolTimesOfRows(const std::vector<BellRow>& rows,
                                                              const std::vector<DateRange>& freeDays);

// The name a calendar of the class `heading` (and of `series` when filtered) is offered under: the
// heading and ".ics" when that is a plain file name, "agenda.ics" otherwise.
std::filesystem::path CalendarFileName(std::string_view heading, std::optional<double> series);

// What the user chose in the calendar dialog.
struct CalendarChoice {
    DateRange range;
    SchoolTimes times;
    std::filesystem::path file;
};

}  // namespace orbelquint
