#pragma once

#include <filesystem>
#include <iosfwd>
#include <span>
#include <string>

namespace orbelquint {

// Exit statuses of orbelquint-week.
enum ExitStatus : int { kExitSuccess = 0, kExitFailure = 1, kExitUsage = 2 };

// Runs orbelquint-week with the arguments after the program name. `defaultTemplate` is the page
// template used without --template (empty: the built-in one). The page goes to `out`, the report
// and messages to `err`.
int RunWeekTool(std::span<const std::string> arguments, const std::filesystem::path& defaultTemplate,
                std::ostream& out, std::ostream& err);

}  // namespace orbelquint
