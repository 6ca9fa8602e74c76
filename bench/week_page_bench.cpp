// Page build speed: the page is rebuilt at every keystroke in the week and series boxes.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <ostream>
#include <streambuf>
#include <string>

#include "core/week_page.h"

namespace {

class DiscardingBuffer : public std::streambuf {
  protected:
    int overflow(int c) override { return c; }
    std::streamsize xsputn(const char*, std::streamsize count) override { return count; }
};

// A timetable of `days` day blocks of eight hours, each with a continuation line.
std::filesystem::path WriteTimetable(int days) {
    const std::filesystem::path file =
        std::filesystem::temp_directory_path() / ("orbelquint-bench-" + std::to_string(days) + ".htm");
    std::ofstream out(file, std::ios::binary);
    out << "<html><body>\r\n<h1> 5 Wetenschappen-Wiskunde </h1>\r\n<pre>\r\nuur vak\r\n</pre>\r\n";
    for (int day = 0; day < days; ++day) {
        out << "<h3>Dag " << day << "</h3><pre>";
        for (int hour = 1; hour <= 8; ++hour) {
            out << hour << "  WIS  PEE " << (day % 2 == 0 ? "36-51" : "40-45")
                << " B104  Analyse              " << (hour % 3) << "\r\n"
                << "               (labo B2: schort meebrengen)\r\n";
        }
        out << "</pre>\r\n";
    }
    out << "<h3>Verklaring</h3><pre>\r\nPEE = mevr. Peeters\r\n</pre>\r\n</body></html>\r\n";
    return file;
}

void BuildPage(benchmark::State& state) {
    const std::filesystem::path file = WriteTimetable(static_cast<int>(state.range(0)));
    orbelquint::WeekPageRequest request;
    request.dataFile = file.string();
    request.currentWeek = 42;
    request.seriesFilter = true;
    request.chosenSeries = 2;
    DiscardingBuffer discard;
    std::ostream page(&discard);
    for (auto _ : state) {
        benchmark::DoNotOptimize(orbelquint::BuildWeekPage(request, page));
    }
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(std::filesystem::file_size(file)));
    std::filesystem::remove(file);
}

// Five days is a real timetable; 50 000 days (about 38 MB) shows the throughput.
BENCHMARK(BuildPage)->Arg(5)->Arg(50'000)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
