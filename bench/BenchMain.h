#pragma once
// The main() of the benchmark programs, which drive the program's own widgets: the offscreen
// platform, one application for the whole run, the benchmarks the command line asks for.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <functional>

namespace bench {

// `letGo` runs once the benchmarks are over, while the application still exists: whatever
// holds windows is let go there.
inline int runBenchmarks(int argc, char** argv, const std::function<void()>& letGo = {}) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    if (letGo) letGo();
    return 0;
}

}  // namespace bench
