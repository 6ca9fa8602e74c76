#include "core/week_page.h"

#include <algorithm>
#include <filesystem>
#include <ostream>
#include <string_view>
#include <system_error>

#include "core/atomic_file.h"
#include "core/file_handle.h"
#include "core/line_reader.h"
#include "core/number_text.h"
#include "core/page_template.h"
#include "core/text.h"

namespace orbelquint {
namespace {

// A quoted file name for messages.
std::string Quoted(std::string_view name) {
    return "\"" + std::string(name) + "\"";
}

WeekPageResult Failure(std::string message) {
    return {BuildStatus::Failed, {}, std::move(message)};
}

// A continuation line carries on the lesson line above it and is shown or hidden with it.
bool IsContinuation(std::string_view line) {
    return line.starts_with("  ");
}

// A line that closes a day block; a line of exactly two blanks is an empty continuation line.
bool EndsDayBlock(std::string_view line) {
    return line != "  " && (ContainsNoCase(line, "</pre>") || Trim(line).empty());
}

// Week in the two columns from `column` on; two characters always read within 16 bits.
std::int16_t WeekColumn(std::string_view line, std::size_t column) {
    return RoundToInt16(LeadingNumber(Columns(line, column, 2))).value_or(0);
}

// Writes the day blocks of one data file into a page and gathers the report on the way.
class DayWriter {
  public:
    DayWriter(const WeekPageRequest& request, LineReader& reader, std::ostream& page, WeekPageReport& report)
        : request_(request), reader_(reader), page_(page), report_(report) {}

    // Writes every day from `day` on until the days run out or the legend heading comes.
    void WriteDays(std::string_view day) {
        while (!day.empty()) {
            const std::string_view closing = WriteDay(day);
            const std::size_t nextHeading = FindNoCase(closing, "<h3>");
            day = nextHeading != std::string_view::npos ? closing.substr(nextHeading)
                                                        : FindLine("<h3>", reader_);
            if (ContainsNoCase(day, "verklaring")) return;
        }
    }

  private:
    void WriteRow(std::string_view text) { page_ << text << "\r\n"; }

    // Writes one day block and returns the line that closed it.
    std::string_view WriteDay(std::string_view day) {
        const std::string_view name = BeforeNoCase(AfterNoCase(day, "<h3>"), "</h3>");
        page_ << "<h3>" << name << "</h3><pre>\r\n";
        // The first lesson stands after the day's "<pre>"; without one, after the first four
        // characters of the day text.
        std::string_view lesson = ContainsNoCase(day, "<pre>")
                                      ? AfterNoCase(day, "<pre>")
                                      : day.substr(std::min<std::size_t>(4, day.size()));
        for (;;) {
            const bool shown = TakeLesson(lesson);
            std::string_view next = reader_.ReadLine();
            while (IsContinuation(next)) {
                if (shown) WriteRow(next);
                if (EndsDayBlock(next)) break;
                next = reader_.ReadLine();
            }
            if (EndsDayBlock(next)) {
                WriteRow("</pre>");
                return next;
            }
            lesson = next;
        }
    }

    // Counts one lesson line in the report and writes it when it runs in the current week.
    bool TakeLesson(std::string_view line) {
        const std::int16_t from = WeekColumn(line, 13);
        const std::int16_t to = WeekColumn(line, 16);
        const int week = request_.currentWeek;
        report_.minWeek = std::min(report_.minWeek, from);
        report_.maxWeek = std::max(report_.maxWeek, to);
        if (week < from && from < report_.firstChange) report_.firstChange = from;
        if (to >= week && to + 1 < report_.firstChange)
            report_.firstChange = static_cast<std::int16_t>(to + 1);

        bool shown = from <= week && week <= to;
        if (shown && request_.seriesFilter) {
            // Series 0 (or blank) marks a lesson for the whole class.
            const double series = LeadingNumber(LastCharacters(line, 2));
            shown = series == 0 || series == request_.chosenSeries;
        }
        if (shown) WriteRow(line);
        return shown;
    }

    const WeekPageRequest& request_;
    LineReader& reader_;
    std::ostream& page_;
    WeekPageReport& report_;
};

}  // namespace

WeekPageResult BuildWeekPage(const WeekPageRequest& request, std::ostream& page) {
    if (Trim(request.dataFile).empty()) {
        return {BuildStatus::NoDataFile, {}, "Er is geen gegevensbestand gekozen."};
    }
    std::error_code ignored;
    if (std::filesystem::is_directory(request.dataFile, ignored)) {
        return Failure(Quoted(request.dataFile) + " is een map, geen gegevensbestand.");
    }
    const FileHandle file = OpenForReading(request.dataFile);
    if (!file)
        return Failure("Het gegevensbestand " + Quoted(request.dataFile) + " kan niet worden geopend.");
    const std::string readError =
        "Het gegevensbestand " + Quoted(request.dataFile) + " kan niet worden gelezen.";

    LineReader reader(file.get());
    const std::string_view headingLine = FindLine("<h1>", reader);
    if (reader.Failed()) return Failure(readError);
    if (headingLine.empty()) {
        return Failure("Het bestand " + Quoted(request.dataFile) +
                       " is geen lesrooster: er staat geen kop met <h1> in.");
    }
    WeekPageResult result{BuildStatus::Complete, {}, {}};
    WeekPageReport& report = result.report;
    report.heading = Trim(BeforeNoCase(AfterNoCase(headingLine, "<h1>"), "</h1>"));
    FindLine("<pre>", reader);

    const PageTemplate frame = ReadPageTemplate(request.templateFile);
    const std::string week = Str(request.currentWeek);
    page << "<html><head><title>Orbelquint week" << week << "</title>\r\n"
         << frame.head << "\r\n"
         << "<h1>Orbelquint week" << week << "</h1>\r\n"
         << "<h2>" << report.heading << "</h2><hr>\r\n";
    DayWriter(request, reader, page, report).WriteDays(FindLine("<h3>", reader));
    page << "\r\n" << frame.foot << "\r\n</body></html>\r\n";

    if (reader.Failed()) return Failure(readError);
    if (!page.flush()) return Failure("De weekpagina kan niet worden geschreven.");
    return result;
}

WeekPageResult WriteWeekPageFile(const WeekPageRequest& request, const std::filesystem::path& target) {
    const std::string cannotWrite =
        "De weekpagina " + Quoted(target.string()) + " kan niet worden geschreven.";
    AtomicFile file(target);
    if (!file.IsOpen()) return Failure(cannotWrite);
    WeekPageResult result = BuildWeekPage(request, file.Stream());
    if (result.status == BuildStatus::Complete && !file.Commit()) return Failure(cannotWrite);
    return result;
}

}  // namespace orbelquint
