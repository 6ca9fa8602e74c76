#pragma once

#include <chrono>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <utility>
#include <variant>
#include <vector>

#include "core/weeks/week_number.h"

namespace orbelquint {

// orbelquint-week [--grid] [--series TEXT] [--template FILE] [--output FILE] DATAFILE WEEK
struct WeekPageCommand {
    std::string dataFile;
    std::int16_t week = 0;
    std::optional<std::string> series;  // present: the series filter is on
    std::optional<std::string> templateFile;
    std::optional<std::string> outputFile;
    bool grid = false;  // the week as a grid, days side by side
};

// orbelquint-week --change-weeks [--series TEXT] DATAFILE
struct ChangeWeeksCommand {
    std::string dataFile;
    std::optional<std::string> series;
};

// orbelquint-week --week-of DATE...
struct WeekOfCommand {
    std::vector<std::int16_t> weeks;  // of each date, in the order given
};

// orbelquint-week --ics [--series TEXT] [--from DATE --to DATE] [--bell-times FILE]
//                       [--skip DATE[..DATE]]... [--time-zone ZONE] [--output FILE] DATAFILE
struct CalendarCommand {
    std::string dataFile;
    std::optional<std::string> series;
    // Both or neither; without them the school year that holds the day of the run.
    std::optional<std::chrono::year_month_day> from;
    std::optional<std::chrono::year_month_day> to;
    std::optional<std::string> bellTimesFile;
    std::vector<DateRange> freeDays;
    std::string timeZone = "Europe/Brussels";
    std::optional<std::string> outputFile;
};

struct HelpCommand {};
struct VersionCommand {};

struct UsageError {
    std::string message;
};

using Command = std::variant<WeekPageCommand, ChangeWeeksCommand, WeekOfCommand, CalendarCommand, HelpCommand,
                             VersionCommand, UsageError>;

// Reads the arguments that follow the program name.
Command ParseCommandLine(std::span<const std::string> arguments);

}  // namespace orbelquint
