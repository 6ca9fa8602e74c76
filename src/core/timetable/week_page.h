#pragma once

#include <bitset>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <iosfwd>
#include <optional>
#include <string>
#include <string_view>

#include "core/reading/file_handle.h"
#include "core/timetable/page_template.h"

namespace orbelquint {

// What a week page is built from: the data file, the week and the series filter.
struct WeekPageRequest {
    std::string dataFile;  // used unchanged to open the file
    std::int16_t currentWeek = 0;
    bool seriesFilter = false;
    double chosenSeries = 0;  // compared with a lesson's series only when the filter is on
    std::filesystem::path templateFile;
    // A template the user named is read or the build fails; the program's default template may be
    // missing and gives way to the built-in one.
    UnreadableTemplate unreadableTemplate = UnreadableTemplate::BuiltIn;
    // Whether the data file, the template and the page file may be devices or pipes.
    SpecialFiles specialFiles = SpecialFiles::Refuse;
    // The data file's bytes, read once by ReadDataFile for builds of many weeks (a pipe can be read
    // only once); the file is opened when there are none.
    std::optional<std::string_view> dataBytes;

    // The series the page is filtered on; nullopt with the filter off.
    std::optional<double> FilteredSeries() const {
        return seriesFilter ? std::optional<double>(chosenSeries) : std::nullopt;
    }
};

// The first-change week when the timetable does not change after the current week.
inline constexpr std::int16_t kNoChange = 120;

// The first week of the week range before any lesson line is read: later than any school week, so
// that the first lesson's week takes its place; a file without lessons reports it ("van week 60").
inline constexpr std::int16_t kNoFirstWeek = 60;

// The weeks of a school year that can be change weeks: 1 to 53.
inline constexpr int kLastWeek = 53;

// What a complete build tells about the data file. The week figures take every lesson line into
// account, shown or not.
struct WeekPageReport {
    std::string heading;  // the stream heading, bytes of the data file
    std::int16_t minWeek = kNoFirstWeek;
    std::int16_t maxWeek = 0;
    std::int16_t firstChange = kNoChange;
    // The change weeks under the series filter, whatever the current week: week w (1 to 53) is one
    // when a lesson line the filter lets through, with 1 <= from <= to, starts in w or ended in
    // week w - 1. Indexed by week number.
    std::bitset<kLastWeek + 1> changeWeeks;
};

enum class BuildStatus {
    Complete,        // the whole page was written
    NoDataFile,      // the data file name is blank: nothing was read or written
    Failed,          // `message` tells why; nothing was written to the page
    PageNotWritten,  // the page (file) could not be made or written; `message` tells which
};

struct WeekPageResult {
    BuildStatus status = BuildStatus::Failed;
    WeekPageReport report;
    std::string message;  // Dutch, for the user; empty for a complete page
};

// Streams the page of one week to `page` in a single pass over the data file. Every failure that
// can be found before the first byte of the page is found there, so a failed build writes nothing,
// except when reading or writing breaks off halfway.
WeekPageResult BuildWeekPage(const WeekPageRequest& request, std::ostream& page);

// The rows a week page has before its day blocks (title, template head, title heading, heading)
// and after them (an empty row, template foot, end): what reads a page back finds its days between.
inline constexpr std::size_t kPageRowsBeforeDays = 4;
inline constexpr std::size_t kPageRowsAfterDays = 3;
// The last row before the days holds the stream heading, as the data file has it, between these.
inline constexpr std::string_view kHeadingRowStart = "<h2>";
inline constexpr std::string_view kHeadingRowEnd = "</h2><hr>";

// Why a build failed when its page could not be written to the stream.
inline constexpr char kPageWriteFailure[] = "De weekpagina kan niet worden geschreven.";

// The largest week page held in memory whole (for a grid, a PDF, printing, or where no page file
// can be written): a real week's page is a few kilobytes, and a data file may be endless.
inline constexpr std::size_t kMaxPageInMemory = std::size_t{64} * 1024 * 1024;

// Builds the page into `page` in memory; Failed, saying so, when it grows past kMaxPageInMemory.
WeekPageResult BuildWeekPageInMemory(const WeekPageRequest& request, std::string& page);

// Reads the whole data file of `request` into `bytes`, at most kMaxPageInMemory of them, so that
// builds of many weeks read it once; Complete, or Failed saying why as a build would.
WeekPageResult ReadDataFile(const WeekPageRequest& request, std::string& bytes);

// What writes a page of a request to a stream: BuildWeekPage, or another view of the same week.
using PageBuilder = WeekPageResult (*)(const WeekPageRequest& request, std::ostream& page);

}  // namespace orbelquint
