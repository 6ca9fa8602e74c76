#pragma once

#include <filesystem>
#include <iosfwd>
#include <span>
#include <string>

#include "core/week_page.h"

namespace orbelquint {

struct WeekPageCommand;

// Exit statuses of orbelquint-week.
enum ExitStatus : int { kExitSuccess = 0, kExitFailure = 1, kExitUsage = 2 };

// Runs orbelquint-week with the arguments after the program name. `defaultTemplate` is the page
// template used without --template (empty: the built-in one). The page goes to `out`, the report
// and messages to `err`.
int RunWeekTool(std::span<const std::string> arguments, const std::filesystem::path& defaultTemplate,
                std::ostream& out, std::ostream& err);

// The request of a week page command: its data file, week, series filter and template
// (`defaultTemplate` without --template); devices and pipes are allowed, as in a shell.
WeekPageRequest RequestOf(const WeekPageCommand& command, const std::filesystem::path& defaultTemplate);

// Why the command's output may not be written: it is the data file or the template, by any name
// or link. Empty when it may.
std::string OutputIsInput(const WeekPageCommand& command, const WeekPageRequest& request);

}  // namespace orbelquint
