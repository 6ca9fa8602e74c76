#include "cli/command_line.h"

#include <algorithm>

#include "core/command_arguments.h"

namespace orbelquint {

Command ParseCommandLine(std::span<const std::string> arguments) {
    if (!arguments.empty() && arguments.front() == "--week-of") {
        if (arguments.size() == 1) return UsageError{"--week-of verwacht minstens één datum."};
        return WeekOfCommand{{arguments.begin() + 1, arguments.end()}};
    }
    const CommandArguments read = ReadCommandArguments(arguments, {"--series", "--template", "--output"},
                                                       {"--help", "-h", "--version", "--change-weeks"});
    // The first of --help and --version answers, whatever follows it.
    for (const std::string& flag : read.flags) {
        if (flag == "--help" || flag == "-h") return HelpCommand{};
        if (flag == "--version") return VersionCommand{};
    }
    if (!read.error.empty()) return UsageError{read.error};
    const std::optional<std::string> series = read.Value("--series");
    const std::optional<std::string> templateFile = read.Value("--template");
    const std::optional<std::string> outputFile = read.Value("--output");
    if (!read.flags.empty()) {  // --change-weeks: --help and --version answered above
        if (templateFile || outputFile)
            return UsageError{"--change-weeks neemt geen --template of --output."};
        if (read.positional.size() != 1) return UsageError{"Geef één gegevensbestand."};
        return ChangeWeeksCommand{read.positional[0], series};
    }
    const auto dataFileAndWeek = ReadDataFileAndWeek(read.positional);
    if (const auto* error = std::get_if<std::string>(&dataFileAndWeek)) return UsageError{*error};
    const auto& [dataFile, week] = std::get<DataFileAndWeek>(dataFileAndWeek);
    return WeekPageCommand{dataFile, week, series, templateFile, outputFile};
}

}  // namespace orbelquint
