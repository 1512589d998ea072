// The main of the benchmarks that show widgets: one QApplication on the offscreen platform,
// numbers in C notation, and the benchmark's scratch (its settings file or its folder of
// generated files) removed at the end (after atEnd, which ends what must go before the
// application object).
#pragma once

#include <benchmark/benchmark.h>

#include <QApplication>
#include <clocale>
#include <cstdlib>
#include <filesystem>
#include <functional>

inline int RunQtBenchmarks(int argc, char** argv, const std::filesystem::path& scratch,
                           const std::function<void()>& atEnd = {}) {
    ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication app(argc, argv);
    std::setlocale(LC_NUMERIC, "C");
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    if (atEnd) atEnd();
    std::error_code ec;
    std::filesystem::remove_all(scratch, ec);
    return 0;
}
