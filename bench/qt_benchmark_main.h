// main() for the benchmarks of the windows' code, as BENCHMARK_MAIN() is for the core's: the
// benchmarks run inside an offscreen QApplication.
#pragma once

#include <QApplication>

#include <benchmark/benchmark.h>

#define GRIMTALLY_QT_BENCHMARK_MAIN()                                                              \
    int main(int argc, char** argv)                                                                \
    {                                                                                              \
        qputenv("QT_QPA_PLATFORM", "offscreen");                                                   \
        QApplication app(argc, argv);                                                              \
        benchmark::Initialize(&argc, argv);                                                        \
        benchmark::RunSpecifiedBenchmarks();                                                       \
        benchmark::Shutdown();                                                                     \
        return 0;                                                                                  \
    }
