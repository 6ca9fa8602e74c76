#include "cli/command_line.h"

#include "core/command/command_arguments.h"
#include "core/weeks/week_number.h"

namespace orbelquint {
namespace {

Command WeeksOf(const CommandArguments& read) {
    if (!read.values.empty() || read.Has("--change-weeks") || read.Has("--grid"))
        return UsageError{"--week-of neemt geen andere opties."};
    if (read.positional.empty()) return UsageError{"--week-of verwacht minstens één datum."};
    WeekOfCommand command;
    for (const std::string& date : read.positional) {
        const auto week = WeekFromDate(date);
        if (!week) return UsageError{"\"" + date + "\" is geen datum dd-mm-jjjj."};
        command.weeks.push_back(*week);
    }
    return command;
}

}  // namespace

Command ParseCommandLine(std::span<const std::string> arguments) {
    const CommandArguments read =
        ReadCommandArguments(arguments, {"--series", "--template", "--output"},
                             {"--help", "-h", "--version", "--change-weeks", "--week-of", "--grid"});
    // The first of --help and --version answers, whatever follows it.
    for (const std::string& flag : read.flags) {
        if (flag == "--help" || flag == "-h") return HelpCommand{};
        if (flag == "--version") return VersionCommand{};
    }
    if (!read.error.empty()) return UsageError{read.error};
    const std::optional<std::string> series = read.Value("--series");
    const std::optional<std::string> templateFile = read.Value("--template");
    std::optional<std::string> outputFile = read.Value("--output");
    if (outputFile == "-") outputFile.reset();  // standard output, as without --output
    if (read.Has("--week-of")) return WeeksOf(read);
    if (read.Has("--change-weeks")) {
        if (templateFile || outputFile || read.Has("--grid"))
            return UsageError{"--change-weeks neemt geen --template, --output of --grid."};
        if (read.positional.size() != 1) return UsageError{"Geef één gegevensbestand."};
        return ChangeWeeksCommand{read.positional[0], series};
    }
    const auto dataFileAndWeek = ReadDataFileAndWeek(read.positional);
    if (const auto* error = std::get_if<std::string>(&dataFileAndWeek)) return UsageError{*error};
    const auto& [dataFile, week] = std::get<DataFileAndWeek>(dataFileAndWeek);
    if (const std::string twice = StandardInputTwice(dataFile, templateFile); !twice.empty())
        return UsageError{twice};
    return WeekPageCommand{dataFile, week, series, templateFile, outputFile, read.Has("--grid")};
}

}  // namespace orbelquint
