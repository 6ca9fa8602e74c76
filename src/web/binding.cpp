// The core as the web page calls it: a data file's bytes held once in the module's memory, and for
// each view the very bytes and texts the tool and the windows give. Everything the page shows of a
// timetable comes from here; the page's script only lays out controls.
#include <emscripten/bind.h>
#include <emscripten/val.h>

#include <chrono>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "core/reading/text_encoding.h"
#include "core/text/number_text.h"
#include "core/timetable/report_texts.h"
#include "core/timetable/week_page.h"
#include "core/views/calendar_export.h"
#include "core/views/grid_page.h"
#include "core/views/lesson_marks.h"
#include "core/weeks/bell_times.h"
#include "core/weeks/week_navigation.h"
#include "core/weeks/week_number.h"
#include "version.h"

namespace orbelquint {
namespace {

using emscripten::val;

// What the page is told when a date field holds no date (a browser's date field gives none or one).
constexpr char kTwoDates[] = "Geef twee datums in de vorm dd-mm-jjjj.";

// A copy of `bytes` as a Uint8Array of the page's own, which outlives the module's memory growing.
val BytesOf(std::string_view bytes) {
    return val::global("Uint8Array")
        .new_(emscripten::typed_memory_view(bytes.size(),
                                            reinterpret_cast<const unsigned char*>(bytes.data())));
}

// The encoding the viewer reads a page or data file in, as DataTextToUtf8 does: UTF-8 when the
// bytes are valid UTF-8, Windows-1252 otherwise (the browser's decoder maps its five undefined
// bytes to the code points of the same number, as DataTextToUtf8 does).
std::string EncodingOf(std::string_view bytes) {
    return IsValidUtf8(bytes) ? "utf-8" : "windows-1252";
}

val DateOf(std::chrono::year_month_day date) {
    val object = val::object();
    object.set("year", static_cast<int>(date.year()));
    object.set("month", static_cast<unsigned>(date.month()));
    object.set("day", static_cast<unsigned>(date.day()));
    return object;
}

std::chrono::year_month_day DateFrom(int year, int month, int day) {
    return std::chrono::year(year) / month / day;
}

// The series a page is filtered on, typed as in the window's series box; none when the filter is off.
std::optional<double> SeriesOf(bool filtered, const std::string& typed) {
    return filtered ? std::optional<double>(LeadingNumber(typed)) : std::nullopt;
}

// What a build tells the page: whether it is complete, the message when not, and the report as the
// window's labels and the tool say it.
val ResultOf(const WeekPageResult& result, std::int16_t week) {
    val object = val::object();
    object.set("complete", result.status == BuildStatus::Complete);
    // A message may quote the data file's name or bytes, in any encoding.
    object.set("message", DataTextToUtf8(result.message));
    const std::string heading = DataTextToUtf8(result.report.heading);
    object.set("heading", heading);
    object.set("info", InfoText(result.report));
    object.set("firstChange", FirstChangeText(result.report));
    object.set("saveName", SaveName(heading, week));
    val changeWeeks = val::array();
    for (int changeWeek = 1; changeWeek <= kLastWeek; ++changeWeek) {
        if (result.report.changeWeeks.test(static_cast<std::size_t>(changeWeek)))
            changeWeeks.call<void>("push", changeWeek);
    }
    object.set("changeWeeks", changeWeeks);
    return object;
}

// The marks on the page's white: the colours of the window's light theme, black text.
const ChangeMarks kPageMarks = LessonChangeMarks("#000000", "#cdebc9", "#fbdcc2");

// One data file, read once into the module's memory, and the views of its weeks.
class Timetable {
  public:
    // `name` is the file's name, which messages about it use.
    Timetable(std::string name, std::size_t size) : name_(std::move(name)), bytes_(size, '\0') {}

    // The module's memory that the page fills with the file's bytes once, right after construction.
    val Bytes() {
        return val(
            emscripten::typed_memory_view(bytes_.size(), reinterpret_cast<unsigned char*>(bytes_.data())));
    }

    // The week page of `week` (as a grid when asked), with the series filter as the window's box
    // gives it, and the report of the build: `page`, the bytes a saved copy holds; `marked`, the
    // same with the week's changes marked, when asked, for the frame; and `encoding`, the encoding
    // the viewer reads them in.
    val WeekPage(int week, bool seriesFiltered, const std::string& series, bool grid, bool marked) const {
        const WeekPageRequest request = Request(week, SeriesOf(seriesFiltered, series));
        std::string page;
        std::string withMarks;
        WeekPageResult result;
        if (grid) {
            result = BuildGridPageInMemory(request, page, {});
            if (marked && result.status == BuildStatus::Complete)
                BuildGridPageInMemory(request, withMarks, kPageMarks);
        } else {
            result = BuildWeekPageInMemory(request, page);
            if (marked) withMarks = WithLessonMarks(page, week, kPageMarks);
        }
        val object = ResultOf(result, request.currentWeek);
        const bool complete = result.status == BuildStatus::Complete;
        object.set("page", complete ? BytesOf(page) : val::null());
        object.set("marked", complete && marked ? BytesOf(withMarks) : val::null());
        object.set("encoding", EncodingOf(marked ? withMarks : page));
        return object;
    }

    // The whole data file, and the encoding the viewer reads it in.
    val Shown() const {
        val object = val::object();
        object.set("bytes", BytesOf(bytes_));
        object.set("encoding", EncodingOf(bytes_));
        return object;
    }

    // The calendar of the lessons: `options` holds from and to (dates as dd-mm-yyyy), bellTimes (the
    // table's rows as typed, [hour, start, end] each), freeDays ([first, last] dates each),
    // seriesFiltered and series, stamp (seconds since 1970) and progress, a function told how many
    // of the weeks are read.
    val Calendar(const val& options) const {
        val object = val::object();
        CalendarRequest request;
        const bool filtered = options["seriesFiltered"].as<bool>();
        request.page = Request(0, SeriesOf(filtered, options["series"].as<std::string>()));
        const auto from = DateFromText(options["from"].as<std::string>());
        const auto to = DateFromText(options["to"].as<std::string>());
        if (!from || !to) return Refusal(kTwoDates);
        request.from = *from;
        request.to = *to;
        if (const std::string problem = CalendarRangeProblem({*from, *to}); !problem.empty())
            return Refusal(problem);
        std::vector<BellTimeCells> rows;
        for (const val& row : emscripten::vecFromJSArray<val>(options["bellTimes"])) {
            rows.push_back({row[0].as<std::string>(), row[1].as<std::string>(), row[2].as<std::string>()});
        }
        std::vector<DateRange> freeDays;
        for (const val& days : emscripten::vecFromJSArray<val>(options["freeDays"])) {
            const auto first = DateFromText(days[0].as<std::string>());
            const auto last = DateFromText(days[1].as<std::string>());
            if (first && last) freeDays.push_back({*first, *last});
        }
        auto times = SchoolTimesOfCells(rows, freeDays);
        if (const auto* problem = std::get_if<BellTimesProblem>(&times)) {
            return Refusal("Beltijden, rij " + std::to_string(problem->line) + ": " + problem->why + ".");
        }
        request.bellTimes = std::move(std::get<SchoolTimes>(times).bellTimes);
        request.freeDays = std::move(std::get<SchoolTimes>(times).freeDays);
        request.stamp = static_cast<std::int64_t>(options["stamp"].as<double>());
        const val progress = options["progress"];
        request.goOn = [&progress](std::size_t read, std::size_t needed) {
            progress(static_cast<double>(read), static_cast<double>(needed));
            return true;
        };
        std::string ics;
        const CalendarResult result = BuildCalendar(request, ics);
        object = ResultOf(result.page, 0);
        object.set("ics", result.page.status == BuildStatus::Complete ? BytesOf(ics) : val::null());
        const std::string heading = DataTextToUtf8(result.page.report.heading);
        object.set("fileName", CalendarFileName(heading, request.page.FilteredSeries()));
        object.set("events", static_cast<double>(result.report.events));
        object.set("summary", CalendarReportText(result.report));
        return object;
    }

  private:
    WeekPageRequest Request(int week, std::optional<double> series) const {
        WeekPageRequest request;
        request.dataFile = name_;
        request.dataBytes = bytes_;
        request.currentWeek = static_cast<std::int16_t>(week);
        request.seriesFilter = series.has_value();
        request.chosenSeries = series.value_or(0);
        // No template file: the page is built on the program's own, as where def.dat is missing.
        request.unreadableTemplate = UnreadableTemplate::BuiltIn;
        return request;
    }

    static val Refusal(const std::string& message) {
        val object = val::object();
        object.set("complete", false);
        object.set("message", message);
        return object;
    }

    std::string name_;
    std::string bytes_;
};

// The school's week number of a date (not the ISO week).
int WeekOf(int year, int month, int day) {
    return WeekOfDate(DateFrom(year, month, day));
}

// Where the week box takes the calendar when `typed` is typed there with `current` the current
// week and the calendar at the date given; null when the text is no week.
val DateOfTypedWeek(int year, int month, int day, const std::string& typed, int current) {
    const auto date =
        SearchTypedWeek(DateFrom(year, month, day), LeadingNumber(typed), static_cast<std::int16_t>(current));
    return date ? DateOf(*date) : val::null();
}

// The school year that holds a date: the calendar's range unless the user chooses another.
val SchoolYear(int year, int month, int day) {
    const DateRange range = SchoolYearOf(DateFrom(year, month, day));
    val object = val::object();
    object.set("from", DateText(range.first));
    object.set("to", DateText(range.last));
    return object;
}

// The rows of the bell-time table a calendar uses unless the user gives others.
val DefaultBellRows() {
    val rows = val::array();
    for (const auto& [hour, lesson] : orbelquint::DefaultBellTimes()) {
        val row = val::array();
        row.call<void>("push", std::to_string(hour));
        row.call<void>("push", ClockText(lesson.start));
        row.call<void>("push", ClockText(lesson.end));
        rows.call<void>("push", row);
    }
    return rows;
}

// Why the days from `first` to `last` (dd-mm-yyyy) cannot be added as free days; empty when they can.
std::string FreeDaysProblemOf(const std::string& first, const std::string& last) {
    const auto from = DateFromText(first);
    const auto to = DateFromText(last);
    if (!from || !to) return kTwoDates;
    return FreeDaysProblem({*from, *to});
}

std::string Version() {
    return ORBELQUINT_VERSION;
}

}  // namespace
}  // namespace orbelquint

EMSCRIPTEN_BINDINGS(orbelquint) {
    using namespace orbelquint;
    emscripten::class_<Timetable>("Timetable")
        .constructor<std::string, std::size_t>()
        .function("bytes", &Timetable::Bytes)
        .function("weekPage", &Timetable::WeekPage)
        .function("shown", &Timetable::Shown)
        .function("calendar", &Timetable::Calendar);
    emscripten::function("weekOf", &WeekOf);
    emscripten::function("dateOfTypedWeek", &DateOfTypedWeek);
    emscripten::function("schoolYear", &SchoolYear);
    emscripten::function("defaultBellTimes", &DefaultBellRows);
    emscripten::function("freeDaysProblem", &FreeDaysProblemOf);
    emscripten::function("version", &Version);
}
