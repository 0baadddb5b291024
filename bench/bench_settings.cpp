// Writing the window placements into settings files of growing size: the
// time must grow with the file, not with the file times the keys written.
#include <benchmark/benchmark.h>

#include <QTemporaryDir>

#include "platform/SafeFile.h"
#include "settings/SettingsFile.h"

using namespace tz;

namespace {

const std::vector<WindowPlacement> Placements = {{"Java", {10, 20, 700, 500}},
                                                 {"Applet", {215, 147, 410, 316}},
                                                 {"Toolbar", {5, 400, 120, 90}},
                                                 {"Objector", {210, 305, 151, 350}}};

// range(0) blank lines, or range(0) sections of one key, as a file a user
// or another program left behind.
void writeIntoLargeFile(benchmark::State& state, const std::string& unit) {
    QTemporaryDir folder;
    const std::string path = folder.filePath("tarjava.ini").toStdString();
    std::string bytes;
    for (int64_t i = 0; i < state.range(0); ++i)
        bytes += unit == "section" ? "[S" + std::to_string(i) + "]\r\nk=v\r\n" : "\r\n";
    for (auto _ : state) {
        state.PauseTiming();
        saveFileBytes(path, bytes);
        state.ResumeTiming();
        benchmark::DoNotOptimize(writePlacements(path, Placements));
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(bytes.size()));
    state.SetComplexityN(state.range(0));
}

void BM_PlacementsIntoBlankLines(benchmark::State& state) {
    writeIntoLargeFile(state, "blank");
}
BENCHMARK(BM_PlacementsIntoBlankLines)
    ->RangeMultiplier(8)
    ->Range(1 << 12, 1 << 24)
    ->Unit(benchmark::kMillisecond)
    ->Complexity(benchmark::oN);

void BM_PlacementsIntoManySections(benchmark::State& state) {
    writeIntoLargeFile(state, "section");
}
BENCHMARK(BM_PlacementsIntoManySections)
    ->RangeMultiplier(8)
    ->Range(1 << 10, 1 << 20)
    ->Unit(benchmark::kMillisecond)
    ->Complexity(benchmark::oN);

}  // namespace

BENCHMARK_MAIN();
