// Saving and opening the largest project the tables hold, and refusing a large
// malformed file, against writing and reading the same bytes.
#include <benchmark/benchmark.h>

#include <QSaveFile>
#include <QTemporaryDir>

#include "project/ProjectFile.h"

using namespace tz;

namespace {

const std::vector<std::string> FixedNames = {"button1", "flytt", "Label1", "TextField1",
                                             "Image1",  "open",  "Timer1"};

std::string bodyOf(int lines) {
    std::string body;
    for (int line = 0; line < lines; ++line)
        body += "    total = total + values[" + std::to_string(line) + "] * 2;  // sum\r\n";
    return body;
}

const ProjectFileContent& largestProject() {
    static const ProjectFileContent content = [] {
        ProjectFileContent result;
        Project& project = result.project;
        const std::string body = bodyOf(200);
        project.setClassCount(Project::MaxClasses);
        for (int n = 1; n <= Project::MaxClasses; ++n) {
            project.setLastSlot(n, Project::MaxMethods);
            project.fillSlot(n, 0, "Class" + std::to_string(n),
                             "public class Class" + std::to_string(n) + " extends Applet", body);
            for (int s = 1; s <= Project::MaxMethods; ++s)
                project.fillSlot(n, s, "method" + std::to_string(s),
                                 "public void method" + std::to_string(s) + "(int a, int b)", body);
        }
        int number = 0;
        for (ObjectTable& table : result.objects) {
            table.count = ObjectTable::SlotCount;
            for (ObjectRecord& record : table.records) {
                const std::string name = "Object" + std::to_string(number++);
                record = ObjectRecord{{"Caption " + name, "12", "34", "73", "25", name, ""}};
            }
        }
        return result;
    }();
    return content;
}

const std::string& largestFile() {
    static const std::string bytes = writeProjectFile(largestProject());
    return bytes;
}

// 30 MB of blank lines: no head at all.
const std::string& malformedFile() {
    static const std::string bytes = [] {
        std::string result;
        for (int line = 0; line < 15 * 1024 * 1024; ++line) result += "\r\n";
        return result;
    }();
    return bytes;
}

std::string benchPath() {
    static QTemporaryDir directory;
    return directory.filePath("largest.tzp").toStdString();
}

void writeBytes(const std::string& path, const std::string& bytes) {
    QSaveFile file(QString::fromStdString(path));
    if (!file.open(QIODevice::WriteOnly)) std::abort();
    file.write(bytes.data(), static_cast<qint64>(bytes.size()));
    file.commit();
}

void countBytes(benchmark::State& state, const std::string& bytes = largestFile()) {
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) *
                            static_cast<int64_t>(bytes.size()));
}

void BM_WriteProjectFile(benchmark::State& state) {
    for (auto _ : state) benchmark::DoNotOptimize(writeProjectFile(largestProject()));
    countBytes(state);
}

void BM_CopyBytes(benchmark::State& state) {
    for (auto _ : state) benchmark::DoNotOptimize(std::string(largestFile()));
    countBytes(state);
}

void BM_ReadProjectFile(benchmark::State& state) {
    const Project current;
    for (auto _ : state)
        benchmark::DoNotOptimize(readProjectFile(largestFile(), current, FixedNames));
    countBytes(state);
}

void BM_SaveProject(benchmark::State& state) {
    for (auto _ : state) {
        if (saveProjectFile(benchPath(), largestProject())) std::abort();
    }
    countBytes(state);
}

void BM_WriteSameBytes(benchmark::State& state) {
    for (auto _ : state) writeBytes(benchPath(), largestFile());
    countBytes(state);
}

void BM_OpenProject(benchmark::State& state) {
    writeBytes(benchPath(), largestFile());
    const Project current;
    std::string error;
    for (auto _ : state) {
        const auto bytes = loadFileBytes(benchPath(), error);
        if (!bytes || !readProjectFile(*bytes, current, FixedNames).content) std::abort();
    }
    countBytes(state);
}

void BM_ReadSameBytes(benchmark::State& state) {
    writeBytes(benchPath(), largestFile());
    std::string error;
    for (auto _ : state) benchmark::DoNotOptimize(loadFileBytes(benchPath(), error));
    countBytes(state);
}

void BM_OpenMalformed(benchmark::State& state) {
    writeBytes(benchPath(), malformedFile());
    const Project current;
    std::string error;
    for (auto _ : state) {
        const auto bytes = loadFileBytes(benchPath(), error);
        if (!bytes || readProjectFile(*bytes, current, FixedNames).content) std::abort();
    }
    countBytes(state, malformedFile());
}

void BM_ReadMalformedBytes(benchmark::State& state) {
    writeBytes(benchPath(), malformedFile());
    std::string error;
    for (auto _ : state) benchmark::DoNotOptimize(loadFileBytes(benchPath(), error));
    countBytes(state, malformedFile());
}

}  // namespace

BENCHMARK(BM_WriteProjectFile)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CopyBytes)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadProjectFile)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SaveProject)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WriteSameBytes)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OpenProject)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadSameBytes)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OpenMalformed)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadMalformedBytes)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
