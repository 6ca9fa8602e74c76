#include "cli/command_line.h"

#include <charconv>

#include "calendar/week_number.h"

namespace orbelquint {
namespace {

bool IsWholeNumber(const std::string& text) {
    const std::size_t digitsFrom = text.starts_with('-') ? 1 : 0;
    return text.size() > digitsFrom && text.find_first_not_of("0123456789", digitsFrom) == std::string::npos;
}

}  // namespace

std::optional<std::int16_t> ParseWeekArgument(const std::string& text) {
    if (IsWholeNumber(text)) {
        std::int16_t week = 0;
        const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), week);
        if (error != std::errc{} || end != text.data() + text.size()) return std::nullopt;
        return week;
    }
    return WeekFromDate(text);
}

Command ParseCommandLine(std::span<const std::string> arguments) {
    if (!arguments.empty() && arguments.front() == "--week-of") {
        if (arguments.size() == 1) return UsageError{"--week-of verwacht minstens één datum."};
        return WeekOfCommand{{arguments.begin() + 1, arguments.end()}};
    }

    WeekPageCommand command;
    std::vector<std::string> positional;
    bool optionsEnded = false;
    bool changeWeeks = false;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        // A lone "-" or a negative week such as "-2" is a positional argument.
        if (optionsEnded || !argument.starts_with("--")) {
            positional.push_back(argument);
            continue;
        }
        if (argument == "--") {
            optionsEnded = true;
            continue;
        }
        if (argument == "--help") return HelpCommand{};
        if (argument == "--version") return VersionCommand{};
        if (argument == "--change-weeks") {
            changeWeeks = true;
            continue;
        }
        std::optional<std::string>* value = nullptr;
        if (argument == "--series") value = &command.series;
        if (argument == "--template") value = &command.templateFile;
        if (argument == "--output") value = &command.outputFile;
        if (value == nullptr) return UsageError{"Onbekende optie " + argument + "."};
        if (i + 1 == arguments.size()) return UsageError{argument + " verwacht een waarde."};
        *value = arguments[++i];
    }
    if (changeWeeks) {
        if (command.templateFile || command.outputFile)
            return UsageError{"--change-weeks neemt geen --template of --output."};
        if (positional.size() != 1) return UsageError{"Geef één gegevensbestand."};
        return ChangeWeeksCommand{positional[0], command.series};
    }
    if (positional.size() != 2) return UsageError{"Geef een gegevensbestand en een week."};
    command.dataFile = positional[0];
    const auto week = ParseWeekArgument(positional[1]);
    if (!week) {
        return UsageError{"\"" + positional[1] +
                          "\" is geen week: geef een weeknummer of een datum dd-mm-jjjj."};
    }
    command.week = *week;
    return command;
}

}  // namespace orbelquint
