// The conversion run as the user waits for it: a table whose row matches every line of a
// generated program and splits it in two at ':', applied with RunConversionTable (the lines
// changed, the elements rebuilt, the recovery log written). ApplyReplaceTable alone is measured
// too, so the growth with the line count shows.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "app/core/ApplyReplaceTable.h"
#include "app/core/CNcLog.h"
#include "app/core/CTessmarkDoc.h"
#include "app/core/RunConversionTable.h"
#include "nc/NcAppContext.h"
#include "nc/machine/CNcReplaceInfo.h"

namespace {

namespace fs = std::filesystem;

// A laser program of n lines: every line but the first holds a "Y" word.
std::vector<std::string> Program(int n) {
    std::vector<std::string> lines;
    lines.reserve(size_t(n));
    lines.push_back("O0001(GENERATED)");
    for (int i = 1; i < n; ++i)
        lines.push_back("G01X" + std::to_string(i % 1000) + ".Y" + std::to_string(i % 700) + ".");
    return lines;
}

// The configuration folder with table "SPLIT": "Y" becomes ":Y" on every line.
struct Folder {
    Folder() {
        root = fs::temp_directory_path() / ("conversion-bench-" + std::to_string(::getpid()));
        fs::create_directories(root);
        std::ofstream(root / "SPLIT.CTB", std::ios::binary)
            << "*VER=1.0\r\n*DATA\r\n\x83\x52\x83\x81\x83\x93\x83\x67=split\r\n"
               "*REPLACE_DATA\r\n\"Y\",\":Y\",\"1\",\"1\"\r\n";
        ctx.ConfigFolder = root;
        ctx.IniPath = root / "MV_System.ini";
        log.Init(ctx.IniPath, root / "LOG");
    }
    ~Folder() {
        std::error_code ec;
        fs::remove_all(root, ec);
    }
    fs::path root;
    NcAppContext ctx;
    CNcLog log;
};

void BM_ApplyReplaceTable(benchmark::State& state) {
    Folder folder;
    CNcReplaceInfo table(folder.ctx);
    table.ReadTable("SPLIT");
    const std::vector<std::string> program = Program(int(state.range(0)));
    for (auto _ : state) {
        state.PauseTiming();
        std::vector<std::string> lines = program;
        state.ResumeTiming();
        benchmark::DoNotOptimize(ApplyReplaceTable(lines, table));
        if (lines.size() != program.size() * 2 - 1) state.SkipWithError("not split");
    }
    state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_ApplyReplaceTable)
    ->Arg(25000)
    ->Arg(50000)
    ->Arg(100000)
    ->Arg(200000)
    ->Unit(benchmark::kMillisecond)
    ->Complexity();

void BM_RunConversionTable(benchmark::State& state) {
    Folder folder;
    const std::vector<std::string> program = Program(int(state.range(0)));
    for (auto _ : state) {
        state.PauseTiming();
        CTessmarkDoc::Services services;
        services.Ctx = &folder.ctx;
        services.NcLog = &folder.log;
        CTessmarkDoc doc(services);
        doc.Lines = program;
        state.ResumeTiming();
        if (RunConversionTable(doc, "SPLIT", folder.ctx, [] {}) != 1) state.SkipWithError("no run");
        benchmark::DoNotOptimize(doc.Lines.data());
    }
}
BENCHMARK(BM_RunConversionTable)->Arg(200000)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace

BENCHMARK_MAIN();
