#include "cli/week_tool.h"

#include <charconv>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <optional>
#include <ostream>
#include <tuple>
#include <variant>
#include <vector>

#include "cli/command_line.h"
#include "core/command/command_arguments.h"
#include "core/files/atomic_file.h"
#include "core/files/settings_file.h"
#include "core/files/shipped_names.h"
#include "core/files/week_page_file.h"
#include "core/reading/file_handle.h"
#include "core/reading/text_encoding.h"
#include "core/text/number_text.h"
#include "core/timetable/discarding_buffer.h"
#include "core/timetable/report_texts.h"
#include "core/timetable/week_page.h"
#include "core/views/calendar_export.h"
#include "core/views/grid_page.h"
#include "core/weeks/bell_times.h"
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
               "         orbelquint-week --ics [--series REEKS] [--from DATUM --to DATUM] [--bell-times "
               "BESTAND]\n"
               "                         [--skip DATUM[..DATUM]]... [--time-zone ZONE] [--output BESTAND]\n"
               "                         GEGEVENSBESTAND\n"
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
           "  --ics               de lessen van een schooljaar als agenda (iCalendar) schrijven\n"
           "  --from DATUM, --to DATUM\n"
           "                      met --ics: de eerste en de laatste dag, hoogstens 366 dagen van 1970\n"
           "                      tot 9999 (standaard 1 september tot 30 juni van dit schooljaar)\n"
           "  --bell-times BESTAND\n"
           "                      met --ics: de beltijden, een regel \"UUR HH:MM-HH:MM\" per lesuur,\n"
           "                      en vrije dagen, een regel \"vrij DATUM[..DATUM]\" per dag of reeks;\n"
           "                      - is de invoer\n"
           "  --skip DATUM[..DATUM]\n"
           "                      met --ics: vrije dagen zonder lessen (mag vaker)\n"
           "  --time-zone ZONE    met --ics: de tijdzone (standaard Europe/Brussels)\n"
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

std::chrono::year_month_day Today() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return std::chrono::year(local.tm_year + 1900) / (local.tm_mon + 1) / local.tm_mday;
}

// The last second a calendar's stamp can hold: 31 December 9999, 23:59:59 UTC.
constexpr std::int64_t kLastStamp = 253'402'300'799;

// The time a calendar is stamped with: SOURCE_DATE_EPOCH when set, so that a build of it can be
// repeated byte for byte, and now otherwise; nullopt when the variable holds no whole number of
// seconds from 1970 to the end of 9999.
std::optional<std::int64_t> Stamp() {
    const char* epoch = std::getenv("SOURCE_DATE_EPOCH");
    if (epoch == nullptr || epoch[0] == '\0') return static_cast<std::int64_t>(std::time(nullptr));
    const std::string_view text = epoch;
    std::int64_t seconds = -1;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), seconds);
    if (error != std::errc() || end != text.data() + text.size() || seconds < 0 || seconds > kLastStamp)
        return std::nullopt;
    return seconds;
}

int WriteCalendar(const CalendarCommand& command, std::ostream& out, std::ostream& err) {
    CalendarRequest request;
    request.page = CommandRequest(command.dataFile, 0, command.series, std::nullopt, {});
    const DateRange schoolYear = SchoolYearOf(Today());
    request.from = schoolYear.first;
    request.to = schoolYear.last;
    if (command.from) request.from = *command.from;
    if (command.to) request.to = *command.to;
    request.freeDays = command.freeDays;
    request.timeZone = command.timeZone;
    const std::optional<std::int64_t> stamp = Stamp();
    if (!stamp) {
        err << "SOURCE_DATE_EPOCH is geen geheel aantal seconden sinds 1970 (0 tot en met " << kLastStamp
            << ", eind 9999).\n";
        return kExitUsage;
    }
    request.stamp = *stamp;
    if (command.bellTimesFile) {
        auto times = ReadBellTimesFile(*command.bellTimesFile, SpecialFiles::Allow);
        if (const auto* problem = std::get_if<std::string>(&times)) {
            err << *problem << "\n";
            return kExitFailure;
        }
        SchoolTimes& school = std::get<SchoolTimes>(times);
        request.bellTimes = std::move(school.bellTimes);
        request.freeDays.insert(request.freeDays.end(), school.freeDays.begin(), school.freeDays.end());
    }
    if (command.outputFile) {
        std::vector<std::filesystem::path> inputs = {request.page.dataFile};
        if (command.bellTimesFile) inputs.emplace_back(*command.bellTimesFile);
        if (const std::string refusal = OutputIsInput(*command.outputFile, inputs); !refusal.empty()) {
            err << refusal << "\n";
            return kExitFailure;
        }
    }
    std::string ics;
    const CalendarResult result = BuildCalendar(request, ics);
    if (result.page.status != BuildStatus::Complete) {
        err << result.page.message << "\n";
        return kExitFailure;
    }
    if (command.outputFile) {
        AtomicFile file(*command.outputFile, SpecialFiles::Allow);
        file.Stream().write(ics.data(), static_cast<std::streamsize>(ics.size()));
        if (!file.Commit()) {
            err << "De agenda \"" << *command.outputFile << "\" kan niet worden geschreven.\n";
            return kExitFailure;
        }
    } else if (!out.write(ics.data(), static_cast<std::streamsize>(ics.size())).flush()) {
        err << "De agenda kan niet worden geschreven.\n";
        return kExitFailure;
    }
    const CalendarReport& report = result.report;
    err << "heading: " << WithVisibleControls(DataTextToUtf8(result.page.report.heading)) << "\n"
        << "events: " << report.events << "\n"
        << "left-out: " << report.withoutHour << " lessen zonder uur, " << report.withoutBellTime
        << " lessen zonder beltijd, " << report.daysWithoutWeekday << " dagen zonder weekdag\n";
    if (report.atClockChange > 0) err << ClockChangeWarning(report.atClockChange) << "\n";
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
    if (const auto* calendar = std::get_if<CalendarCommand>(&command))
        return WriteCalendar(*calendar, out, err);
    return WritePage(std::get<WeekPageCommand>(command), defaultTemplate, out, err);
}

}  // namespace orbelquint
