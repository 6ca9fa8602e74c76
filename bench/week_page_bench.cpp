// Page build speed against the floor: reading the same bytes the same way and only counting lines.
// The page is rebuilt at every keystroke in the week and series boxes.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <ostream>
#include <sstream>
#include <string>
#include <vector>

#include "core/reading/file_handle.h"
#include "core/reading/line_marks.h"
#include "core/timetable/discarding_buffer.h"
#include "core/timetable/week_page.h"
#include "core/views/calendar_export.h"
#include "core/views/grid_page.h"
#include "core/views/week_grid.h"
#include "generated_timetable.h"

namespace orbelquint::bench {
namespace {

// The floor: the file read in 64 KiB blocks like the builder reads it, its lines counted with memchr.
std::size_t CountLines(const std::filesystem::path& file) {
    const FileHandle handle = OpenForReading(file);
    const auto buffer = std::make_unique<char[]>(std::size_t{64} * 1024);
    std::size_t lines = 0;
    for (std::size_t count;
         (count = std::fread(buffer.get(), 1, std::size_t{64} * 1024, handle.get())) > 0;) {
        for (const char* at = buffer.get();
             (at = static_cast<const char*>(
                  std::memchr(at, '\n', count - static_cast<std::size_t>(at - buffer.get())))) != nullptr;
             ++at) {
            ++lines;
        }
    }
    return lines;
}

double Seconds(auto&& work) {
    const auto start = std::chrono::steady_clock::now();
    work();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

void Floor(benchmark::State& state) {
    const std::filesystem::path& file = GeneratedTimetable(static_cast<std::size_t>(state.range(0)));
    for (auto _ : state)
        benchmark::DoNotOptimize(CountLines(file));
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(std::filesystem::file_size(file)));
}

// range(0): file size; range(1): series filter on. The counter x_floor is the build's time over the floor's.
void Build(benchmark::State& state) {
    const std::filesystem::path& file = GeneratedTimetable(static_cast<std::size_t>(state.range(0)));
    double floor = 1e9;
    for (int i = 0; i < 5; ++i)
        floor = std::min(floor, Seconds([&] { benchmark::DoNotOptimize(CountLines(file)); }));

    WeekPageRequest request;
    request.dataFile = file.string();
    request.currentWeek = 45;
    request.seriesFilter = state.range(1) != 0;
    request.chosenSeries = 2;
    DiscardingBuffer discard;
    std::ostream page(&discard);
    double total = 0;
    for (auto _ : state)
        total += Seconds([&] { benchmark::DoNotOptimize(BuildWeekPage(request, page)); });
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(std::filesystem::file_size(file)));
    state.counters["x_floor"] = benchmark::Counter(total / floor, benchmark::Counter::kAvgIterations);
}

// The line-end and tag scanners over a 10 MB timetable in memory; range(0) is the MarkScanner.
// The builder runs the fastest one the processor has, in the thread that reads the file ahead.
void MarkScan(benchmark::State& state) {
    const auto scanner = static_cast<MarkScanner>(state.range(0));
    if (!CanRun(scanner)) return state.SkipWithError("not on this processor");
    std::ifstream file(GeneratedTimetable(10'000'000), std::ios::binary);
    const std::string text((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    constexpr std::size_t kPiece = std::size_t{256} * 1024;
    std::vector<std::uint32_t> marks(MarkCapacity(kPiece));
    for (auto _ : state) {
        for (std::size_t at = 0; at < text.size(); at += kPiece) {
            const std::string_view piece = std::string_view(text).substr(at, kPiece);
            benchmark::DoNotOptimize(FindLineMarks(scanner, piece, false, marks.data()));
        }
    }
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(text.size()));
}

// The week grid of a built page: its rows read into cells, then written as one table. range(0):
// the data file's size; the counter page_kB is the size of the page the grid is made from.
void Grid(benchmark::State& state) {
    WeekPageRequest request;
    request.dataFile = GeneratedTimetable(static_cast<std::size_t>(state.range(0))).string();
    request.currentWeek = 45;
    std::ostringstream built;
    if (BuildWeekPage(request, built).status != BuildStatus::Complete) return state.SkipWithError("no page");
    const std::string page = std::move(built).str();
    for (auto _ : state)
        benchmark::DoNotOptimize(GridPage(page, GridOfWeekPage(page, request.currentWeek)));
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(page.size()));
    state.counters["page_kB"] = static_cast<double>(page.size()) / 1000;
}

// The school year of a timetable as a calendar: a week page built and read into a grid for each of
// its 44 weeks, then the events written. range(0): the data file's size, 0 for the sample.
void Calendar(benchmark::State& state) {
    using namespace std::chrono;
    CalendarRequest request;
    request.page.dataFile = state.range(0) == 0
                                ? ORBELQUINT_DATA_DIR "/voorbeeld.htm"
                                : GeneratedTimetable(static_cast<std::size_t>(state.range(0))).string();
    request.from = 2026y / September / 1;
    request.to = 2027y / June / 30;
    std::size_t size = 0;
    for (auto _ : state) {
        std::string ics;
        if (BuildCalendar(request, ics).page.status != BuildStatus::Complete)
            return state.SkipWithError("no page");
        size = ics.size();
        benchmark::DoNotOptimize(ics);
    }
    state.counters["ics_kB"] = static_cast<double>(size) / 1000;
}

// One day of range(0) lessons of weeks 1 to 53 as a calendar of that day: the time grows with the
// lessons, linearly (the complexity fitted below says so).
void CalendarOfOneDay(benchmark::State& state) {
    using namespace std::chrono;
    const auto lessons = static_cast<std::size_t>(state.range(0));
    const std::filesystem::path file =
        std::filesystem::temp_directory_path() / ("orbelquint-bench-day-" + std::to_string(lessons) + ".htm");
    {
        std::ofstream data(file, std::ios::binary);
        data << "<h1>X</h1>\r\n<pre>\r\n</pre>\r\n<h3>Maandag</h3><pre>\r\n";
        for (std::size_t lesson = 0; lesson < lessons; ++lesson)
            data << "1  WIS  PEE 01-53 B104  Les " << lesson << "\r\n";
        data << "</pre>\r\n";
    }
    CalendarRequest request;
    request.page.dataFile = file.string();
    request.from = request.to = 2026y / December / 7;
    for (auto _ : state) {
        std::string ics;
        if (BuildCalendar(request, ics).report.events != lessons) return state.SkipWithError("lessons lost");
        benchmark::DoNotOptimize(ics);
    }
    state.SetComplexityN(state.range(0));
    std::filesystem::remove(file);
}

constexpr std::int64_t k10KB = 10'000;
constexpr std::int64_t k100KB = 100'000;
constexpr std::int64_t k10MB = 10'000'000;
constexpr std::int64_t k100MB = 100'000'000;

BENCHMARK(Floor)->Arg(k100KB)->Arg(k10MB)->Arg(k100MB)->Unit(benchmark::kMillisecond);
BENCHMARK(Build)
    ->ArgsProduct({{k100KB, k10MB, k100MB}, {0, 1}})
    ->ArgNames({"bytes", "series"})
    ->Unit(benchmark::kMillisecond);
BENCHMARK(Grid)->Arg(k10KB)->Arg(k100KB)->Arg(k10MB)->ArgName("bytes")->Unit(benchmark::kMillisecond);
BENCHMARK(Calendar)->Arg(0)->Arg(k100KB)->ArgName("bytes")->Unit(benchmark::kMillisecond);
BENCHMARK(CalendarOfOneDay)
    ->Arg(10'000)
    ->Arg(20'000)
    ->Arg(40'000)
    ->Arg(100'000)
    ->ArgName("lessons")
    ->Complexity(benchmark::oN)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(MarkScan)
    ->Arg(static_cast<std::int64_t>(MarkScanner::Plain))
    ->Arg(static_cast<std::int64_t>(MarkScanner::Avx2))
    ->ArgName("scanner")
    ->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace orbelquint::bench

BENCHMARK_MAIN();
