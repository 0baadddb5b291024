// Generating the largest project the tables hold, against copying its output.
#include <benchmark/benchmark.h>

#include "codegen/CodeGenerator.h"

using namespace tz;

namespace {

constexpr int BodyLines = 200;

std::string body(int seed) {
    std::string text;
    for (int line = 0; line < BodyLines; ++line) {
        text +=
            "    total  =  total + " + std::to_string(seed + line) + ";  // keep  \"the\"  sum\r\n";
    }
    return text;
}

Project largestProject() {
    Project project;
    project.setClassCount(Project::MaxClasses);
    for (int k = 1; k <= Project::MaxClasses; ++k) {
        project.setLastSlot(k, Project::MaxMethods);
        project.fillSlot(k, 0, "C" + std::to_string(k),
                         "public class C" + std::to_string(k) + " extends Applet", body(k));
        for (int m = 1; m <= Project::MaxMethods; ++m) {
            const std::string name = m == 1 ? "init" : m == 2 ? "paint" : "m" + std::to_string(m);
            const std::string parameters = m == 2 ? "(Graphics g)" : "()";
            project.fillSlot(k, m, name, "public void " + name + parameters, body(m));
        }
    }
    return project;
}

std::vector<LiveObject> fullDesign() {
    std::vector<LiveObject> objects;
    for (const ObjectKind kind : AllKinds) {
        for (int slot = 0; slot < ObjectTable::SlotCount; ++slot) {
            LiveObject object;
            object.kind = kind;
            object.slot = slot;
            object.name = std::string(kindInfo(kind).namePrefix) + std::to_string(slot);
            object.text = kind == ObjectKind::Image ? "/nowhere/pic.gif" : "Text  " + object.name;
            object.width = 73;
            objects.push_back(object);
        }
    }
    return objects;
}

const CopyQuestion answerNo = [](const std::string&) { return false; };

void BM_GenerateJava(benchmark::State& state) {
    const Project project = largestProject();
    const std::vector<LiveObject> objects = fullDesign();
    const ProjectOptions options;
    for (auto _ : state) {
        GeneratedCode code = generateJava(project, objects, options, answerNo);
        benchmark::DoNotOptimize(code.source.data());
        state.SetBytesProcessed(state.bytes_processed() + int64_t(code.source.size()));
    }
}
BENCHMARK(BM_GenerateJava)->Unit(benchmark::kMillisecond);

void BM_CopyOutputOnce(benchmark::State& state) {
    const std::string source =
        generateJava(largestProject(), fullDesign(), ProjectOptions(), answerNo).source;
    for (auto _ : state) {
        std::string copy = source;
        benchmark::DoNotOptimize(copy.data());
        state.SetBytesProcessed(state.bytes_processed() + int64_t(copy.size()));
    }
}
BENCHMARK(BM_CopyOutputOnce)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
