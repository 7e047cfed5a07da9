// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The main of every benchmark program: Google Benchmark's flags, and a Qt application on the
// offscreen platform for the benchmarks that decode pictures, draw text or show widgets.

#include <QApplication>
#include <benchmark/benchmark.h>

namespace plakatron::bench {

// registerAll: benchmarks registered at run time (sizes chosen in code), or null.
inline int runBenchmarks(int argc, char **argv, void (*registerAll)() = nullptr)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    if (registerAll)
        registerAll();
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

}  // namespace plakatron::bench
