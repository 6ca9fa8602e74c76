#include "cli/command_line.h"

#include "core/command/command_arguments.h"
#include "core/views/calendar_export.h"
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

std::string NoDate(const std::string& text) {
    return "\"" + text + "\" is geen datum dd-mm-jjjj.";
}

Command Calendar(const CommandArguments& read, std::optional<std::string> series,
                 std::optional<std::string> output) {
    if (read.Value("--template") || read.Has("--grid") || read.Has("--change-weeks"))
        return UsageError{"--ics neemt geen --template, --grid of --change-weeks."};
    if (read.positional.size() != 1) return UsageError{"Geef één gegevensbestand."};
    CalendarCommand command;
    command.dataFile = read.positional[0];
    command.series = std::move(series);
    command.outputFile = std::move(output);
    command.bellTimesFile = read.Value("--bell-times");
    if (command.dataFile == "-" && command.bellTimesFile == "-")
        return UsageError{
            "Alleen het gegevensbestand of het beltijdenbestand kan - (de standaardinvoer) zijn."};
    if (command.bellTimesFile) command.bellTimesFile = InputFile(*command.bellTimesFile);
    const std::optional<std::string> from = read.Value("--from");
    const std::optional<std::string> to = read.Value("--to");
    if (from.has_value() != to.has_value()) return UsageError{"--from en --to gaan samen."};
    if (from) {
        command.from = DateFromText(*from);
        command.to = DateFromText(*to);
        if (!command.from) return UsageError{NoDate(*from)};
        if (!command.to) return UsageError{NoDate(*to)};
        if (const std::string problem = CalendarRangeProblem({*command.from, *command.to}); !problem.empty())
            return UsageError{problem};
    }
    for (const std::string& skip : read.Values("--skip")) {
        const auto range = DateRangeFromText(skip);
        if (!range) return UsageError{"\"" + skip + "\" is geen datum of bereik dd-mm-jjjj..dd-mm-jjjj."};
        command.freeDays.push_back(*range);
    }
    if (const auto zone = read.Value("--time-zone")) {
        if (!IsCentralEuropeanZone(*zone))
            return UsageError{"De tijdzone " + *zone + " houdt niet de Midden-Europese tijd met zomertijd."};
        command.timeZone = *zone;
    }
    return command;
}

}  // namespace

Command ParseCommandLine(std::span<const std::string> arguments) {
    const CommandArguments read = ReadCommandArguments(
        arguments,
        {"--series", "--template", "--output", "--from", "--to", "--bell-times", "--skip", "--time-zone"},
        {"--help", "-h", "--version", "--change-weeks", "--week-of", "--grid", "--ics"});
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
    if (read.Has("--ics")) return Calendar(read, series, outputFile);
    for (const char* option : {"--from", "--to", "--bell-times", "--skip", "--time-zone"}) {
        if (read.Value(option)) return UsageError{std::string(option) + " hoort bij --ics."};
    }
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
