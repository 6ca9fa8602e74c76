#include "cli/week_tool.h"

#include <filesystem>
#include <ostream>
#include <variant>

#include "cli/command_line.h"
#include "core/command/command_arguments.h"
#include "core/files/shipped_names.h"
#include "core/files/week_page_file.h"
#include "core/reading/file_handle.h"
#include "core/reading/text_encoding.h"
#include "core/text/number_text.h"
#include "core/timetable/discarding_buffer.h"
#include "core/timetable/report_texts.h"
#include "core/timetable/week_page.h"
#include "core/views/grid_page.h"
#include "core/weeks/week_number.h"
#include "version.h"

namespace orbelquint {
namespace {

std::string Usage() {
    return std::string(
               "Gebruik: orbelquint-week [--grid] [--series REEKS] [--template BESTAND] [--output BESTAND]\n"
               "                         GEGEVENSBESTAND WEEK\n"
               "         orbelquint-week --change-weeks [--series REEKS] GEGEVENSBESTAND\n"
               "         orbelquint-week --week-of DATUM...\n"
               "\n"
               "Schrijft de weekpagina van het lesrooster GEGEVENSBESTAND voor WEEK naar de "
               "standaarduitvoer.\n"
               "WEEK is een weeknummer of een datum dd-mm-jjjj, waarvan de week wordt genomen.\n"
               "Op de foutuitvoer volgen de kop, het bereik van weken, de eerste verandering en de\n"
               "naam waaronder de pagina wordt opgeslagen.\n"
               "\n"
               "  --series REEKS      alleen de lessen van deze reeks tonen (en die voor alle reeksen)\n"
               "  --template BESTAND  paginasjabloon (standaard ") +
           kPageTemplateName +
           " bij het programma); - is de invoer\n"
           "  --output BESTAND    de pagina naar BESTAND schrijven in plaats van naar de uitvoer (-); een\n"
           "                      gewoon bestand wordt in zijn geheel vervangen of blijft zoals het was,\n"
           "                      een open bestand (/dev/stdout, /dev/fd/N) zoals de shell het opende\n"
           "  --grid              de week als raster: de dagen naast elkaar, de lesuren onder elkaar\n"
           "  --change-weeks      de weken waarin het rooster verandert tonen, één per regel\n"
           "  --week-of DATUM...  het weeknummer van elke datum tonen\n"
           "  -h, --help          deze hulp tonen\n"
           "  --version           het versienummer tonen\n";
}

void PrintWeeksOf(const WeekOfCommand& command, std::ostream& out) {
    for (const std::int16_t week : command.weeks)
        out << week << "\n";
}

// The change weeks, found by a build whose page is thrown away.
int PrintChangeWeeks(const ChangeWeeksCommand& command, std::ostream& out, std::ostream& err) {
    DiscardingBuffer discard;
    std::ostream page(&discard);
    const WeekPageResult result =
        BuildWeekPage(CommandRequest(command.dataFile, 0, command.series, std::nullopt, {}), page);
    if (result.status != BuildStatus::Complete) {
        err << result.message << "\n";
        return kExitFailure;
    }
    for (int week = 1; week <= kLastWeek; ++week) {
        if (result.report.changeWeeks.test(static_cast<std::size_t>(week))) out << week << "\n";
    }
    return kExitSuccess;
}

int WritePage(const WeekPageCommand& command, const std::filesystem::path& defaultTemplate, std::ostream& out,
              std::ostream& err) {
    const WeekPageRequest request =
        CommandRequest(command.dataFile, command.week, command.series, command.templateFile, defaultTemplate);
    const std::string refusal = command.outputFile ? OutputIsInput(*command.outputFile, request) : "";
    if (!refusal.empty()) {
        err << refusal << "\n";
        return kExitFailure;
    }
    const PageBuilder build = command.grid ? &BuildGridPage : &BuildWeekPage;
    const WeekPageResult result = command.outputFile
                                      ? WriteWeekPageFile(request, *command.outputFile, Links::Follow, build)
                                      : build(request, out);
    if (result.status != BuildStatus::Complete) {
        err << result.message << "\n";
        return kExitFailure;
    }
    // The heading comes from the data file: its control characters must not act on the terminal.
    const std::string heading = DataTextToUtf8(result.report.heading);
    err << "heading: " << WithVisibleControls(heading) << "\n"
        << "info: " << InfoText(result.report) << "\n"
        << "first-change: " << FirstChangeText(result.report) << "\n"
        << "save-name: " << WithVisibleControls(SaveName(heading, command.week)) << "\n";
    return kExitSuccess;
}

}  // namespace

int RunWeekTool(std::span<const std::string> arguments, const std::filesystem::path& defaultTemplate,
                std::ostream& out, std::ostream& err) {
    const Command command = ParseCommandLine(arguments);
    if (const auto* usageError = std::get_if<UsageError>(&command)) {
        err << UsageErrorText("orbelquint-week", usageError->message) << "\n";
        return kExitUsage;
    }
    if (std::holds_alternative<HelpCommand>(command)) {
        out << Usage();
        return kExitSuccess;
    }
    if (std::holds_alternative<VersionCommand>(command)) {
        out << "orbelquint-week " << ORBELQUINT_VERSION << "\n";
        return kExitSuccess;
    }
    if (const auto* weekOf = std::get_if<WeekOfCommand>(&command)) {
        PrintWeeksOf(*weekOf, out);
        return kExitSuccess;
    }
    if (const auto* changeWeeks = std::get_if<ChangeWeeksCommand>(&command))
        return PrintChangeWeeks(*changeWeeks, out, err);
    return WritePage(std::get<WeekPageCommand>(command), defaultTemplate, out, err);
}

}  // namespace orbelquint
