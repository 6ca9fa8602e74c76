// Time from a change of week in the main window to the viewer showing the new page, on Qt's
// offscreen platform: the page build, writing the week page file and the viewer's layout of it.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QDir>
#include <QPushButton>
#include <QTemporaryDir>
#include <fstream>

#include "app/application_setup.h"
#include "generated_timetable.h"
#include "ui/main_window/main_window.h"

namespace orbelquint::bench {
namespace {

void ChangeOfWeek(benchmark::State& state, const std::filesystem::path& dataFile) {
    QTemporaryDir appDir;
    const std::filesystem::path folder = appDir.path().toStdString();
    std::filesystem::copy_file(std::filesystem::path(ORBELQUINT_DATA_DIR) / "def.dat", folder / "def.dat");
    std::ofstream(folder / "prev.ini", std::ios::binary) << dataFile.string() << "\r\n0\r\n";
    Main main({PortableAppPaths(folder), [] { return QDate(2026, 10, 14); },
               [](QWidget*, const QString&, const QString&) { return QString("cancel"); }});
    main.Form_Load();
    bool forward = true;
    for (auto _ : state) {
        (forward ? main.btnUp : main.btnDown)->click();
        forward = !forward;
    }
    state.SetBytesProcessed(state.iterations() *
                            static_cast<std::int64_t>(std::filesystem::file_size(dataFile)));
}

void Sample(benchmark::State& state) {
    ChangeOfWeek(state, std::filesystem::path(ORBELQUINT_DATA_DIR) / "voorbeeld.htm");
}

void OneMegabyte(benchmark::State& state) {
    ChangeOfWeek(state, GeneratedTimetable(1'000'000));
}

BENCHMARK(Sample)->Unit(benchmark::kMillisecond);
BENCHMARK(OneMegabyte)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace orbelquint::bench

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    orbelquint::SetUpApplication(app);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
