// Speed and memory of the NC reader.
// BM_ReadFreshProcess: the whole process on a fresh heap, as a user's rebuild of a newly
// opened file gets it: a process of its own reads the generated laser program (bench::
// LaserProgram) from its file, sets the reader up and runs it into an element database; in the
// same run LinuxCNC's rs274 interprets the same program (rs274 -g file /dev/null). The ratio is
// rs274's time over ours. BM_ReadProgram: the run alone, in this process (its heap reused from
// run to run), in blocks per second with the heap bytes per element (texts included).
// Usage: NcReadBench [benchmark flags] [program.nc]; without a file BM_ReadProgram reads a
// generated plain laser program (rapids, lines with corner radii, R and I/J arcs) of 200,000
// blocks.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include "BenchSupport.h"
#include "app/core/NcProgramFile.h"
#include "kernel/db/CDtbEngine.h"
#include "kernel/db/DtbPool.h"
#include "nc/machine/CNcReadInfo.h"
#include "nc/read/CNcRead.h"
#include "nc/read/NcAttributeTexts.h"
#include "nc/read/NcProgramRunner.h"
#include "platform/HugePageHeap.h"

namespace {

std::vector<std::string> g_lines;
std::string g_name = "generated";

size_t HeapInUse() {
    return bench::BytesInUse();
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

// The child of BM_ReadFreshProcess: the file read as the document reads it, the reader set up
// on its lines in place, the program run; prints the blocks read and the pool bytes per
// element.
int ReadInThisProcess(const char* path) {
    auto loaded = ReadNcFile(path, false);
    if (!loaded) return 1;
    CNcReadInfo settings;
    CNcRead reader;
    reader.SetProgramShared(loaded->lines, &settings, nullptr, 0);
    CDtbEngine db;
    const NcRunnerSummary summary = NcProgramRunner(reader).Run(db);
    const size_t elements = db.GetLinkedCount();
    std::printf("%lld %.1f\n", static_cast<long long>(summary.Blocks),
                elements ? double(GetDtbPoolUsage().inUse) / double(elements) : 0.0);
    std::fflush(stdout);
    // The run is what the user waits for; the elements stay (the document keeps them), so
    // they are not freed one by one here either.
    std::_Exit(0);
}

void BM_ReadFreshProcess(benchmark::State& state) {
    const int parts = static_cast<int>(state.range(0));
    bench::TempFolder dir;
    const std::string ours = dir.Write("program.nc", bench::LaserProgram(parts, false)).string();
    const std::string theirs = dir.Write("program.ngc", bench::LaserProgram(parts, true)).string();
    const std::string self = (bench::ProgramFolder() / "NcReadBench").string();
    const std::string rs274 = bench::Rs274();
    double rs274Seconds = 0, bytesPerElement = 0, blocks = 0, peak = 0, seconds = 0;
    for (auto _ : state) {
        if (!rs274.empty())
            rs274Seconds = bench::RunProcess({rs274, "-g", theirs, "/dev/null"}).seconds;
        const bench::ProcessRun run = bench::RunProcess({self, "--read-file", ours});
        if (run.exitCode != 0) {
            state.SkipWithError("the reading process failed");
            return;
        }
        std::sscanf(run.output.c_str(), "%lf %lf", &blocks, &bytesPerElement);
        peak = run.peakMiB;
        seconds = run.seconds;
        state.SetIterationTime(run.seconds);
    }
    state.SetLabel(rs274.empty() ? "rs274 missing (scripts/bench.sh installs it)" : "vs rs274");
    state.counters["blocks"] = blocks;
    state.counters["rs274_s"] = rs274Seconds;
    // rs274's time over ours (the goal: at least 3.3).
    state.counters["x_faster_than_rs274"] = seconds > 0 ? rs274Seconds / seconds : 0.0;
    state.counters["db_bytes_per_element"] = bytesPerElement;
    state.counters["peak_MiB"] = peak;
}
// 10,000 and 100,000 parts: 120,002 and 1,200,002 blocks.
BENCHMARK(BM_ReadFreshProcess)->Apply([](auto* b) {
    bench::ProcessRuns(b->Arg(10000)->Arg(100000)->ArgNames({"parts"}));
});

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
    // The child runs as the program does, its heap on huge pages where the program has them.
    if (argc == 3 && std::string(argv[1]) == "--read-file") {
        platform::UseHugePageHeap(argv);
        return ReadInThisProcess(argv[2]);
    }
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
