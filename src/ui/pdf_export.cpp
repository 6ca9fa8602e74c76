#include "ui/pdf_export.h"

#include <QFile>
#include <algorithm>
#include <iostream>
#include <sstream>
#include <variant>

#include "cli/command_line.h"
#include "cli/week_tool.h"
#include "core/report_texts.h"
#include "core/week_page.h"
#include "ui/page_decoding.h"
#include "ui/page_printing.h"

namespace orbelquint {

int ExportPdf(std::vector<std::string> arguments, const std::filesystem::path& defaultTemplate) {
    // The PDF takes the place of orbelquint-week's --output.
    std::replace(arguments.begin(), arguments.end(), std::string("--pdf"), std::string("--output"));
    const Command command = ParseCommandLine(arguments);
    const auto* page = std::get_if<WeekPageCommand>(&command);
    if (page == nullptr || !page->outputFile) {
        const auto* usage = std::get_if<UsageError>(&command);
        std::cerr << (usage != nullptr ? usage->message + "\n" : "")
                  << "Gebruik: orbelquint --pdf BESTAND [--series REEKS] GEGEVENSBESTAND WEEK\n";
        return kExitUsage;
    }
    const WeekPageRequest request = RequestOf(*page, defaultTemplate);
    if (const std::string refusal = OutputIsInput(*page, request); !refusal.empty()) {
        std::cerr << refusal << "\n";
        return kExitFailure;
    }
    std::ostringstream bytes;
    const WeekPageResult result = BuildWeekPage(request, bytes);
    if (result.status != BuildStatus::Complete) {
        std::cerr << result.message << "\n";
        return kExitFailure;
    }
    const QString footer =
        QString("Week %1 \u2013 %2").arg(page->week).arg(DecodeDataText(result.report.heading));
    if (!WritePdf(QByteArray::fromStdString(bytes.str()), footer, *page->outputFile)) {
        std::cerr << "Het PDF-bestand \"" << *page->outputFile << "\" kan niet worden geschreven.\n";
        return kExitFailure;
    }
    return kExitSuccess;
}

}  // namespace orbelquint
