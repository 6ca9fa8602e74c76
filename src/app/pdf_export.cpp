#include "app/pdf_export.h"

#include <QDebug>
#include <QFile>
#include <optional>
#include <variant>

#include "core/command/command_arguments.h"
#include "core/timetable/report_texts.h"
#include "core/timetable/week_page.h"
#include "ui/page_decoding.h"
#include "ui/printing/page_printing.h"

namespace orbelquint {
namespace {

// A message of the command line, on standard error as it is.
void Say(const std::string& message) {
    qCritical().noquote() << QString::fromStdString(message);
}

}  // namespace

int ExportPdf(const std::vector<std::string>& arguments, const std::filesystem::path& defaultTemplate) {
    const CommandArguments read =
        ReadCommandArguments(arguments, {"--pdf", "--series", "--template"}, {"--grid"});
    const auto dataFileAndWeek = ReadDataFileAndWeek(read.positional);
    const auto* usage = std::get_if<std::string>(&dataFileAndWeek);
    const std::optional<std::string> pdf = read.Value("--pdf");
    const std::string twice = usage != nullptr
                                  ? ""
                                  : StandardInputTwice(std::get<DataFileAndWeek>(dataFileAndWeek).dataFile,
                                                       read.Value("--template"));
    // A usage error: the one line of the problem and where help is, as the window's options have.
    if (!read.error.empty() || usage != nullptr || !pdf || !twice.empty()) {
        const std::string problem = !read.error.empty() ? read.error
                                    : usage != nullptr  ? *usage
                                    : !pdf              ? std::string("--pdf verwacht een waarde.")
                                                        : twice;
        Say(UsageErrorText("orbelquint", problem));
        return kExitUsage;
    }
    const auto& [dataFile, week] = std::get<DataFileAndWeek>(dataFileAndWeek);
    const WeekPageRequest request =
        CommandRequest(dataFile, week, read.Value("--series"), read.Value("--template"), defaultTemplate);
    if (const std::string refusal = OutputIsInput(*pdf, request); !refusal.empty()) {
        Say(refusal);
        return kExitFailure;
    }
    std::string page;
    const WeekPageResult result = BuildWeekPageInMemory(request, page);
    if (result.status != BuildStatus::Complete) {
        Say(result.message);
        return kExitFailure;
    }
    if (const QString refusal = TooLargeToPrint(page); !refusal.isEmpty()) {
        Say(refusal.toStdString());
        return kExitFailure;
    }
    const QByteArray weekPage = QByteArray::fromStdString(page);
    const QString footer = PageFooter(week, DecodeDataText(result.report.heading), request.FilteredSeries());
    const WeekView view = read.Has("--grid") ? WeekView::Grid : WeekView::List;
    if (WritePdf(PrintedPage(weekPage, week, view), footer, *pdf, SpecialFiles::Allow, view) !=
        Printed::Whole) {
        Say("Het PDF-bestand \"" + *pdf + "\" kan niet worden geschreven.");
        return kExitFailure;
    }
    return kExitSuccess;
}

}  // namespace orbelquint
