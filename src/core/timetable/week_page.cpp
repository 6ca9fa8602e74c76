#include "core/timetable/week_page.h"

#include <sys/stat.h>

#include <algorithm>
#include <array>
#include <bitset>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <ostream>
#include <string_view>
#include <system_error>
#include <variant>

#include "core/reading/file_handle.h"
#include "core/reading/line_reader.h"
#include "core/text/number_text.h"
#include "core/text/text.h"
#include "core/timetable/bounded_buffer.h"
#include "core/timetable/lesson_line.h"
#include "core/timetable/page_template.h"

namespace orbelquint {
namespace {

// A quoted file name for messages.
std::string Quoted(std::string_view name) {
    return "\"" + std::string(name) + "\"";
}

WeekPageResult Failure(std::string message) {
    return {BuildStatus::Failed, {}, std::move(message)};
}

WeekPageResult LineTooLong(std::string_view what, std::string_view file) {
    return Failure(std::string(what) + " " + Quoted(file) + " heeft een regel van meer dan " +
                   std::to_string(kMaxLineLength / (std::size_t{1024} * 1024)) +
                   " MB en is geen tekstbestand.");
}

// A line that closes a day block: a blank line, or one that holds "</pre>"; a line of exactly two
// blanks is an empty continuation line. `hasTag` tells whether the line holds a '<' at all, which
// "</pre>" needs and a blank line cannot have.
bool EndsDayBlock(std::string_view line, bool hasTag) {
    return hasTag ? ContainsNoCase(line, "</pre>") : line.size() != 2 && IsBlank(line);
}

// The chosen series as a plain field number, so that the usual lesson line is compared without
// floating point; -2, which no field holds, when the series is no whole number from 0 to 99.
int PlainSeries(double series) {
    return series >= 0 && series <= 99 && series == std::floor(series) ? static_cast<int>(series) : -2;
}

// The bit of a change week in DayWriter's mask; none for weeks past the school year.
std::uint64_t WeekBit(int week) {
    return week >= 1 && week <= kLastWeek ? std::uint64_t{1} << week : 0;
}

// Collects the rows of the page in a buffer of its own and hands them to the stream in large
// blocks: a page is written at every keystroke, and the stream's work per call would cost more
// than the copying itself.
class PageWriter {
  public:
    explicit PageWriter(std::ostream& page) : page_(page) {}

    // Writes the pieces as one row, ended by CR LF.
    void Row(std::initializer_list<std::string_view> pieces) {
        for (const std::string_view piece : pieces)
            Put(piece);
        Put("\r\n");
    }

    // True once the stream has refused part of the page: the rest need not be read.
    bool Failed() const { return failed_; }

    // Hands the rest of the page to the stream and flushes it; false when any of it could not be
    // written.
    bool Finish() {
        Flush();
        if (failed_) page_.setstate(std::ios::badbit);
        return static_cast<bool>(page_.flush());
    }

  private:
    void Put(std::string_view text) {
        if (text.empty()) return;  // an empty view may have no data pointer for memcpy
        if (text.size() > buffer_.size() - used_) {
            Flush();
            if (text.size() > buffer_.size()) return Pass(text);
        }
        std::memcpy(buffer_.data() + used_, text.data(), text.size());
        used_ += text.size();
    }

    void Flush() {
        Pass({buffer_.data(), used_});
        used_ = 0;
    }

    void Pass(std::string_view text) {
        std::streambuf* stream = page_.rdbuf();
        const auto size = static_cast<std::streamsize>(text.size());
        if (stream == nullptr || stream->sputn(text.data(), size) != size) failed_ = true;
    }

    std::ostream& page_;
    std::array<char, std::size_t{16} * 1024> buffer_;
    std::size_t used_ = 0;
    bool failed_ = false;
};

// Writes the day blocks of one data file into a page and gathers the report on the way.
class DayWriter {
  public:
    DayWriter(const WeekPageRequest& request, LineReader& reader, PageWriter& page, WeekPageReport& report)
        : request_(request),
          reader_(reader),
          page_(page),
          report_(report),
          chosenPlainSeries_(PlainSeries(request.chosenSeries)) {}

    // The change weeks of the lessons taken so far.
    std::bitset<kLastWeek + 1> ChangeWeeks() const { return changeWeeks_; }

    // Writes every day from `day` on until the days run out or the legend heading comes.
    void WriteDays(std::string_view day) {
        while (!day.empty()) {
            const std::string_view closing = WriteDay(day);
            if (page_.Failed()) return;
            const std::size_t nextHeading = FindNoCase(closing, "<h3>");
            day = nextHeading != std::string_view::npos ? closing.substr(nextHeading)
                                                        : FindLine("<h3>", reader_);
            if (ContainsNoCase(day, "verklaring")) return;
        }
    }

  private:
    // Writes one day block and returns the line that closed it.
    std::string_view WriteDay(std::string_view day) {
        const std::string_view name = BeforeNoCase(AfterNoCase(day, "<h3>"), "</h3>");
        page_.Row({"<h3>", name, "</h3><pre>"});
        // The first lesson stands after the day's "<pre>"; without one, after the first four
        // characters of the day text.
        const std::size_t pre = FindNoCase(day, "<pre>");
        std::string_view lesson = pre != std::string_view::npos
                                      ? day.substr(pre + std::size("<pre>") - 1)
                                      : day.substr(std::min<std::size_t>(4, day.size()));
        // A stream that refused part of the page ends the reading, also of a data file without end.
        while (!page_.Failed()) {
            const bool shown = TakeLesson(lesson);
            std::string_view next = reader_.ReadLine();
            while (IsContinuation(next) && !page_.Failed()) {
                if (shown) page_.Row({next});
                if (EndsDayBlock(next, reader_.LineHasTag())) break;
                next = reader_.ReadLine();
            }
            if (EndsDayBlock(next, reader_.LineHasTag())) {
                page_.Row({"</pre>"});
                return next;
            }
            lesson = next;
        }
        return {};
    }

    // Counts one lesson line in the report and writes it when it runs in the current week. The
    // figures of one line tell nothing about the next, so they are combined without branches.
    bool TakeLesson(std::string_view line) {
        const auto [from, to] = WeeksOfLesson(line);
        const int week = request_.currentWeek;
        report_.minWeek = std::min(report_.minWeek, from);
        report_.maxWeek = std::max(report_.maxWeek, to);
        // The first later week in which the lesson starts, or after whose end it is gone.
        const int startsLater = week < from ? from : kNoChange;
        const int endsLater = to >= week ? to + 1 : kNoChange;
        report_.firstChange =
            static_cast<std::int16_t>(std::min({int{report_.firstChange}, startsLater, endsLater}));

        const bool passes = !request_.seriesFilter || PassesSeriesFilter(line);
        const bool changes = passes & (1 <= from) & (from <= to);
        changeWeeks_ |= changes ? WeekBit(from) | WeekBit(to + 1) : 0;
        const bool shown = passes & (from <= week) & (week <= to);
        if (shown) page_.Row({line});
        return shown;
    }

    // A lesson for the whole class (series 0) or for the chosen series.
    bool PassesSeriesFilter(std::string_view line) const {
        const int plain = PlainSeriesField(line);
        if (plain >= 0) return (plain == 0) | (plain == chosenPlainSeries_);
        const double series = SeriesField(line);
        return series == 0 || series == request_.chosenSeries;
    }

    const WeekPageRequest& request_;
    LineReader& reader_;
    PageWriter& page_;
    WeekPageReport& report_;
    const int chosenPlainSeries_;
    std::uint64_t changeWeeks_ = 0;
};

// The data file of `request` opened for reading, or the failure that says why not.
std::variant<FileHandle, WeekPageResult> OpenDataFile(const WeekPageRequest& request) {
    std::error_code ignored;
    if (std::filesystem::is_directory(request.dataFile, ignored)) {
        return Failure(Quoted(request.dataFile) + " is een map, geen gegevensbestand.");
    }
    FileHandle file = OpenForReading(request.dataFile, request.specialFiles);
    if (!file)
        return Failure("Het gegevensbestand " + Quoted(request.dataFile) + " kan niet worden geopend.");
    return file;
}

std::string Megabytes(std::size_t bytes) {
    return std::to_string(bytes / (std::size_t{1024} * 1024)) + " MB";
}

}  // namespace

WeekPageResult ReadDataFile(const WeekPageRequest& request, std::string& bytes) {
    if (IsBlank(request.dataFile))
        return {BuildStatus::NoDataFile, {}, "Er is geen gegevensbestand gekozen."};
    const auto file = OpenDataFile(request);
    if (const WeekPageResult* failure = std::get_if<WeekPageResult>(&file)) return *failure;
    std::FILE* const stream = std::get<FileHandle>(file).get();
    struct stat status {};
    if (::fstat(::fileno(stream), &status) == 0 && S_ISREG(status.st_mode))
        bytes.reserve(std::min(static_cast<std::size_t>(status.st_size), kMaxPageInMemory) + 1);
    char block[64 * 1024];
    for (std::size_t count;
         bytes.size() <= kMaxPageInMemory && (count = std::fread(block, 1, sizeof block, stream)) > 0;)
        bytes.append(block, count);
    if (std::ferror(stream))
        return Failure("Het gegevensbestand " + Quoted(request.dataFile) + " kan niet worden gelezen.");
    if (bytes.size() > kMaxPageInMemory)
        return Failure("Het gegevensbestand " + Quoted(request.dataFile) + " is groter dan " +
                       Megabytes(kMaxPageInMemory) + ".");
    return {BuildStatus::Complete, {}, {}};
}

WeekPageResult BuildWeekPage(const WeekPageRequest& request, std::ostream& page) {
    if (IsBlank(request.dataFile)) {
        return {BuildStatus::NoDataFile, {}, "Er is geen gegevensbestand gekozen."};
    }
    const auto file = request.dataBytes ? std::variant<FileHandle, WeekPageResult>() : OpenDataFile(request);
    if (const WeekPageResult* failure = std::get_if<WeekPageResult>(&file)) return *failure;
    std::optional<LineReader> input;
    if (request.dataBytes)
        input.emplace(*request.dataBytes);
    else
        input.emplace(std::get<FileHandle>(file).get());
    LineReader& reader = *input;
    const auto readError = [&request, &reader] {
        if (reader.LineTooLong()) return LineTooLong("Het gegevensbestand", request.dataFile);
        return Failure("Het gegevensbestand " + Quoted(request.dataFile) + " kan niet worden gelezen.");
    };

    const std::string_view headingLine = FindLine("<h1>", reader);
    if (reader.Failed()) return readError();
    if (headingLine.empty()) {
        return Failure("Het bestand " + Quoted(request.dataFile) +
                       " is geen lesrooster: er staat geen kop met <h1> in.");
    }
    WeekPageResult result{BuildStatus::Complete, {}, {}};
    WeekPageReport& report = result.report;
    report.heading = Trim(BeforeNoCase(AfterNoCase(headingLine, "<h1>"), "</h1>"));
    FindLine("<pre>", reader);

    const auto readTemplate =
        ReadPageTemplate(request.templateFile, request.specialFiles, request.unreadableTemplate);
    if (const auto* fault = std::get_if<TemplateFault>(&readTemplate)) {
        if (*fault == TemplateFault::LineTooLong)
            return LineTooLong("Het paginasjabloon", request.templateFile.string());
        return Failure("Het paginasjabloon " + Quoted(request.templateFile.string()) +
                       " kan niet worden gelezen.");
    }
    const PageTemplate* frame = &std::get<PageTemplate>(readTemplate);
    const std::string week = Str(request.currentWeek);
    PageWriter writer(page);
    writer.Row({"<html><head><title>Orbelquint week", week, "</title>"});
    writer.Row({frame->head});
    writer.Row({"<h1>Orbelquint week", week, "</h1>"});
    writer.Row({kHeadingRowStart, report.heading, kHeadingRowEnd});
    DayWriter days(request, reader, writer, report);
    days.WriteDays(FindLine("<h3>", reader));
    report.changeWeeks = days.ChangeWeeks();
    writer.Row({});
    writer.Row({frame->foot});
    writer.Row({"</body></html>"});

    if (reader.Failed()) return readError();
    if (!writer.Finish()) return {BuildStatus::PageNotWritten, {}, kPageWriteFailure};
    return result;
}

WeekPageResult BuildWeekPageInMemory(const WeekPageRequest& request, std::string& page) {
    BoundedBuffer memory(kMaxPageInMemory);
    std::ostream stream(&memory);
    WeekPageResult result = BuildWeekPage(request, stream);
    if (memory.Overflowed()) {
        return Failure("De weekpagina is groter dan " + Megabytes(kMaxPageInMemory) + ".");
    }
    page = memory.TakeBytes();
    return result;
}

}  // namespace orbelquint
