// Scanning a 1 MB Java source, against a plain loop over its bytes.
#include <benchmark/benchmark.h>

#include "project/Scanner.h"

using namespace tz;

namespace {

constexpr std::size_t SourceSize = 1 << 20;

// Twenty classes of forty methods, with comments and literals, about 1 MB.
std::string largeSource() {
    const std::size_t methodSize = SourceSize / (Project::MaxClasses * Project::MaxMethods);
    std::string statements;
    while (statements.size() < methodSize) {
        statements +=
            "        for (int i = 0; i < n; i++) { total += i; } // sum; {\r\n"
            "        s = \"a } b; /* c\" + '}';\r\n"
            "        /* block; { */ call(x, y);\r\n";
    }
    std::string source = "import java.applet.*;\r\nimport java.awt.*;\r\n";
    for (int k = 1; k <= Project::MaxClasses; ++k) {
        source += "public class C" + std::to_string(k) + " extends Applet\r\n{\r\n  int total;\r\n";
        for (int m = 1; m <= Project::MaxMethods; ++m) {
            source += "    public void m" + std::to_string(m) + "(int n)\r\n    {\r\n" +
                      statements + "    }\r\n";
        }
        source += "}\r\n";
    }
    return source;
}

void BM_ScanJavaSource(benchmark::State& state) {
    const std::string source = largeSource();
    std::size_t reports = 0;
    for (auto _ : state) {
        Project project;
        ScanResult result =
            scanJavaSource(project, source, [&reports](std::size_t, std::size_t) { ++reports; });
        if (!result.ok) state.SkipWithError(result.message.c_str());
        benchmark::DoNotOptimize(project.slot(1, 1).body.data());
    }
    state.SetBytesProcessed(int64_t(state.iterations() * source.size()));
    state.counters["progress_reports"] =
        benchmark::Counter(double(reports), benchmark::Counter::kAvgIterations);
}
BENCHMARK(BM_ScanJavaSource)->Unit(benchmark::kMillisecond);

void BM_ByteLoop(benchmark::State& state) {
    const std::string source = largeSource();
    for (auto _ : state) {
        unsigned sum = 0;
        for (const char c : source) {
            sum += static_cast<unsigned char>(c);
            benchmark::DoNotOptimize(sum);
        }
    }
    state.SetBytesProcessed(int64_t(state.iterations() * source.size()));
}
BENCHMARK(BM_ByteLoop)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
