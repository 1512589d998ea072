// The main of the benchmarks that show widgets: one QApplication on the offscreen platform,
// numbers in C notation, and the benchmark's settings file removed at the end.
#pragma once

#include <benchmark/benchmark.h>

#include <QApplication>
#include <clocale>
#include <cstdlib>
#include <filesystem>

inline int RunQtBenchmarks(int argc, char** argv, const std::filesystem::path& settingsFile) {
    ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication app(argc, argv);
    std::setlocale(LC_NUMERIC, "C");
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    std::error_code ec;
    std::filesystem::remove(settingsFile, ec);
    return 0;
}
