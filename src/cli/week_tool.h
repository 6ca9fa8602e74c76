#pragma once

#include <filesystem>
#include <iosfwd>
#include <span>
#include <string>

#include "core/command/command_arguments.h"

namespace orbelquint {

// Runs orbelquint-week with the arguments after the program name. `defaultTemplate` is the page
// template used without --template (empty: the built-in one). The page goes to `out`, the report
// and messages to `err`; the exit status is one of ExitStatus.
int RunWeekTool(std::span<const std::string> arguments, const std::filesystem::path& defaultTemplate,
                std::ostream& out, std::ostream& err);

}  // namespace orbelquint
