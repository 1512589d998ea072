// Speed and memory of the NC reader: a whole program read through the program runner, in
// blocks per second, with the elements made and the heap bytes per element (texts included).
// Usage: NcReadBench [benchmark flags] [program.nc]; without a file a generated plain laser
// program (rapids, lines with corner radii, R and I/J arcs) of 200,000 blocks is read.
#include <benchmark/benchmark.h>

#include <malloc.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include "kernel/db/CDtbEngine.h"
#include "nc/machine/CNcReadInfo.h"
#include "nc/read/CNcRead.h"
#include "nc/read/NcAttributeTexts.h"
#include "nc/read/NcProgramRunner.h"

namespace {

std::vector<std::string> g_lines;
std::string g_name = "generated";

size_t HeapInUse() {
    return mallinfo2().uordblks;
}

std::string Fixed(double v) {
    char buf[400];
    return std::string(buf, FormatFixed3(buf, v));
}

// Square parts on a grid: pierce, a rapid to the start, four sides with corner radii on three
// corners and a G02 R arc and a G03 I/J arc in the last side, end of cut.
std::vector<std::string> GenerateLaserProgram(int blocks) {
    std::vector<std::string> lines{"%", "O1000", "G90 G92 X0. Y0."};
    int n = 10;
    for (int part = 0; static_cast<int>(lines.size()) < blocks; ++part) {
        const double x = 20.0 + (part % 40) * 45.0;
        const double y = 20.0 + (part / 40 % 40) * 45.0;
        auto add = [&](std::string text) {
            lines.push_back("N" + std::to_string(n) + " " + text);
            n += 10;
        };
        add("G00 X" + Fixed(x) + " Y" + Fixed(y));
        add("M100");
        add("G01 X" + Fixed(x + 30.0) + " R2.");
        add("Y" + Fixed(y + 30.0) + " R2.");
        add("X" + Fixed(x + 10.0) + " R2.");
        add("X" + Fixed(x + 5.0));
        add("G02 X" + Fixed(x) + " Y" + Fixed(y + 25.0) + " R5.");
        add("G03 X" + Fixed(x) + " Y" + Fixed(y + 15.0) + " I0. J-5.");
        add("G01 Y" + Fixed(y));
        add("M09");
    }
    lines.push_back("M30");
    lines.push_back("%");
    return lines;
}

void BM_ReadProgram(benchmark::State& state) {
    CNcReadInfo settings;
    settings.LaserPunch = kNcTypeLaser;
    double bytesPerElement = 0.0;
    size_t elements = 0;
    std::int64_t blocks = 0;
    for (auto _ : state) {
        state.PauseTiming();
        const size_t before = HeapInUse();
        auto reader = std::make_unique<CNcRead>();
        reader->SetProgram(g_lines, &settings, nullptr, 1);
        const size_t afterSetUp = HeapInUse();
        CDtbEngine db;
        state.ResumeTiming();

        NcProgramRunner runner(*reader);
        const NcRunnerSummary summary = runner.Run(db);

        state.PauseTiming();
        blocks = summary.Blocks;
        elements = db.GetCount();
        bytesPerElement = elements ? double(HeapInUse() - afterSetUp) / double(elements) : 0.0;
        (void)before;
        db.Empty();
        reader.reset();
        state.ResumeTiming();
    }
    state.SetLabel(g_name);
    state.counters["blocks"] = double(blocks);
    state.counters["elements"] = double(elements);
    state.counters["bytes_per_element"] = bytesPerElement;
    state.counters["blocks_per_second"] =
        benchmark::Counter(double(blocks), benchmark::Counter::kIsIterationInvariantRate);
}
// Rates per CPU second: the goal is one core's speed, whatever else the machine runs.
BENCHMARK(BM_ReadProgram)->Unit(benchmark::kMillisecond);

bool LoadFile(const char* path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    std::string line;
    g_lines.clear();
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        g_lines.push_back(line);
    }
    g_name = path;
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    // A long-running program keeps its heap between rebuilds: freed memory is not handed back
    // to the system after every run (the first touch of fresh pages would otherwise be timed).
    if (std::getenv("NCREAD_BENCH_COLD_HEAP") == nullptr) {
        mallopt(M_TRIM_THRESHOLD, 1 << 30);
        mallopt(M_MMAP_THRESHOLD, 1 << 30);
    }
    if (argc > 1) {
        if (!LoadFile(argv[1])) {
            std::fprintf(stderr, "cannot read %s\n", argv[1]);
            return 1;
        }
    } else {
        g_lines = GenerateLaserProgram(200000);
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
