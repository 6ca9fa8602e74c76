#include "core/command/command_arguments.h"

#include <algorithm>
#include <charconv>

#include "core/files/output_guard.h"
#include "core/text/number_text.h"
#include "core/weeks/week_number.h"

namespace orbelquint {
namespace {

bool IsWholeNumber(const std::string& text) {
    const std::size_t digitsFrom = text.starts_with('-') ? 1 : 0;
    return text.size() > digitsFrom && text.find_first_not_of("0123456789", digitsFrom) == std::string::npos;
}

bool IsAmong(std::string_view argument, std::initializer_list<std::string_view> options) {
    return std::find(options.begin(), options.end(), argument) != options.end();
}

}  // namespace

std::string InputFile(const std::string& name) {
    return name == "-" ? "/dev/stdin" : name;
}

std::optional<std::string> CommandArguments::Value(std::string_view option) const {
    const auto last = std::find_if(values.rbegin(), values.rend(),
                                   [option](const auto& value) { return value.first == option; });
    if (last == values.rend()) return std::nullopt;
    return last->second;
}

std::vector<std::string> CommandArguments::Values(std::string_view option) const {
    std::vector<std::string> given;
    for (const auto& [name, value] : values) {
        if (name == option) given.push_back(value);
    }
    return given;
}

bool CommandArguments::Has(std::string_view flag) const {
    return std::find(flags.begin(), flags.end(), flag) != flags.end();
}

CommandArguments ReadCommandArguments(std::span<const std::string> arguments,
                                      std::initializer_list<std::string_view> valueOptions,
                                      std::initializer_list<std::string_view> flagOptions) {
    CommandArguments read;
    bool optionsEnded = false;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        // "--series=2" gives its value in the same argument.
        const std::size_t equals = argument.starts_with("--") ? argument.find('=') : std::string::npos;
        const std::string_view name = std::string_view(argument).substr(0, equals);
        if (!optionsEnded && IsAmong(argument, flagOptions)) {
            read.flags.push_back(argument);
        } else if (optionsEnded || !argument.starts_with("--")) {
            read.positional.push_back(argument);
        } else if (argument == "--") {
            optionsEnded = true;
        } else if (!IsAmong(name, valueOptions)) {
            read.error = "Onbekende optie " + argument + ".";
            break;
        } else if (equals != std::string::npos) {
            read.values.emplace_back(name, argument.substr(equals + 1));
        } else if (i + 1 == arguments.size()) {
            read.error = argument + " verwacht een waarde.";
            break;
        } else {
            read.values.emplace_back(argument, arguments[++i]);
        }
    }
    return read;
}

std::optional<std::int16_t> ParseWeekArgument(const std::string& text) {
    if (IsWholeNumber(text)) {
        std::int16_t week = 0;
        const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), week);
        if (error != std::errc{} || end != text.data() + text.size()) return std::nullopt;
        return week;
    }
    return WeekFromDate(text);
}

std::variant<DataFileAndWeek, std::string> ReadDataFileAndWeek(const std::vector<std::string>& positional) {
    if (positional.size() != 2) return std::string("Geef een gegevensbestand en een week.");
    const auto week = ParseWeekArgument(positional[1]);
    if (!week) return "\"" + positional[1] + "\" is geen week: geef een weeknummer of een datum dd-mm-jjjj.";
    return DataFileAndWeek{positional[0], *week};
}

std::string UsageErrorText(std::string_view program, std::string_view problem) {
    return std::string(problem) + "\nProbeer '" + std::string(program) + " --help' voor meer informatie.";
}

std::string StandardInputTwice(const std::string& dataFile, const std::optional<std::string>& templateFile) {
    if (dataFile != "-" || templateFile != "-") return {};
    return "Alleen het gegevensbestand of het sjabloon kan - (de standaardinvoer) zijn.";
}

WeekPageRequest CommandRequest(const std::string& dataFile, std::int16_t week,
                               const std::optional<std::string>& series,
                               const std::optional<std::string>& templateFile,
                               const std::filesystem::path& defaultTemplate) {
    WeekPageRequest request;
    request.dataFile = InputFile(dataFile);
    request.currentWeek = week;
    request.seriesFilter = series.has_value();
    request.chosenSeries = series ? LeadingNumber(*series) : 0;
    request.templateFile = templateFile ? std::filesystem::path(InputFile(*templateFile)) : defaultTemplate;
    if (templateFile) request.unreadableTemplate = UnreadableTemplate::Refused;
    request.specialFiles = SpecialFiles::Allow;
    return request;
}

std::string OutputIsInput(const std::filesystem::path& output, const WeekPageRequest& request) {
    const std::filesystem::path inputs[] = {request.dataFile, request.templateFile};
    return OutputIsInput(output, inputs);
}

std::string OutputIsInput(const std::filesystem::path& output,
                          std::span<const std::filesystem::path> inputs) {
    const auto input = InputNamedBy(output, inputs);
    if (!input) return {};
    return "De uitvoer \"" + output.string() + "\" is hetzelfde bestand als \"" + input->string() +
           "\"; er is niets geschreven.";
}

}  // namespace orbelquint
