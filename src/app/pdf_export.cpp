#include "app/pdf_export.h"

#include <QDebug>
#include <QFile>
#include <algorithm>
#include <sstream>
#include <variant>

#include "cli/command_line.h"
#include "cli/week_tool.h"
#include "core/report_texts.h"
#include "core/week_page.h"
#include "ui/page_decoding.h"
#include "ui/printing/page_printing.h"

namespace orbelquint {
namespace {

// A message of the command line, on standard error as it is.
void Say(const std::string& message) {
    qCritical().noquote() << QString::fromStdString(message);
}

}  // namespace

int ExportPdf(std::vector<std::string> arguments, const std::filesystem::path& defaultTemplate) {
    // The PDF takes the place of orbelquint-week's --output.
    std::replace(arguments.begin(), arguments.end(), std::string("--pdf"), std::string("--output"));
    const Command command = ParseCommandLine(arguments);
    const auto* page = std::get_if<WeekPageCommand>(&command);
    if (page == nullptr || !page->outputFile) {
        const auto* usage = std::get_if<UsageError>(&command);
        Say((usage != nullptr ? usage->message + "\n" : "") +
            "Gebruik: orbelquint --pdf BESTAND [--series REEKS] GEGEVENSBESTAND WEEK");
        return kExitUsage;
    }
    const WeekPageRequest request = RequestOf(*page, defaultTemplate);
    if (const std::string refusal = OutputIsInput(*page, request); !refusal.empty()) {
        Say(refusal);
        return kExitFailure;
    }
    std::ostringstream bytes;
    const WeekPageResult result = BuildWeekPage(request, bytes);
    if (result.status != BuildStatus::Complete) {
        Say(result.message);
        return kExitFailure;
    }
    const QString footer = PageFooter(page->week, DecodeDataText(result.report.heading));
    if (!WritePdf(QByteArray::fromStdString(bytes.str()), footer, *page->outputFile, SpecialFiles::Allow)) {
        Say("Het PDF-bestand \"" + *page->outputFile + "\" kan niet worden geschreven.");
        return kExitFailure;
    }
    return kExitSuccess;
}

}  // namespace orbelquint
