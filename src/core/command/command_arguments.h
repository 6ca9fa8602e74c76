#pragma once

#include <cstdint>
#include <filesystem>
#include <initializer_list>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <variant>
#include <vector>

#include "core/timetable/week_page.h"

namespace orbelquint {

// Exit statuses of orbelquint-week, which orbelquint --pdf shares.
enum ExitStatus : int { kExitSuccess = 0, kExitFailure = 1, kExitUsage = 2 };

// The arguments of a command line as both programs read them, the GNU way: an option that takes a
// value takes the next argument, whatever it is, or what follows its "=" ("--series=2"); a flag is
// named in full ("--help", "-h"); "--" ends the options; anything else, a lone "-" and a negative
// week such as "-2" among it, is positional. Reading stops at the first option that is not known
// or lacks its value.
struct CommandArguments {
    std::vector<std::pair<std::string, std::string>> values;  // in the order given
    std::vector<std::string> flags;                           // in the order given
    std::vector<std::string> positional;
    std::string error;  // why reading stopped; empty when it did not

    // The value given last for `option`.
    std::optional<std::string> Value(std::string_view option) const;
    // Every value given for `option`, in the order given.
    std::vector<std::string> Values(std::string_view option) const;
    // True when the flag `flag` was given.
    bool Has(std::string_view flag) const;
};

CommandArguments ReadCommandArguments(std::span<const std::string> arguments,
                                      std::initializer_list<std::string_view> valueOptions,
                                      std::initializer_list<std::string_view> flagOptions);

// The week of a WEEK argument: a whole number in the 16-bit range, or the week number of a date
// dd-mm-yyyy; nullopt for anything else.
std::optional<std::int16_t> ParseWeekArgument(const std::string& text);

// The positional arguments DATAFILE WEEK, or why they are not.
struct DataFileAndWeek {
    std::string dataFile;
    std::int16_t week = 0;
};
std::variant<DataFileAndWeek, std::string> ReadDataFileAndWeek(const std::vector<std::string>& positional);

// What a program prints for a usage error, as GNU tools do: the problem, then where help is (two
// lines, without the last line end).
std::string UsageErrorText(std::string_view program, std::string_view problem);

// The name an input file is opened by: "-" is standard input, as for other tools.
std::string InputFile(const std::string& name);

// The usage error of a command line whose data file and template are both "-"; empty when at most
// one of them is.
std::string StandardInputTwice(const std::string& dataFile, const std::optional<std::string>& templateFile);

// The request of a command line: its data file and template ("-" for standard input), week and
// series filter (on when a series is given). Without a template the program's `defaultTemplate`,
// which may be missing; a template named that cannot be read fails the build. Devices and pipes
// are allowed, as in a shell.
WeekPageRequest CommandRequest(const std::string& dataFile, std::int16_t week,
                               const std::optional<std::string>& series,
                               const std::optional<std::string>& templateFile,
                               const std::filesystem::path& defaultTemplate);

// Why `output` may not be written: it is the request's data file or template, by any name or link.
// Empty when it may.
std::string OutputIsInput(const std::filesystem::path& output, const WeekPageRequest& request);
// The same for any list of inputs.
std::string OutputIsInput(const std::filesystem::path& output, std::span<const std::filesystem::path> inputs);

}  // namespace orbelquint
