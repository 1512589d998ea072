// Opening a large program as the user waits for it, against LinuxCNC's rs274 in the same run.
// BM_OpenToFirstPaint: the program morvalen itself, started on the generated laser program
// (bench::LaserProgram) offscreen with a settings folder of its own and closed as soon as its
// event loop runs (after its first paint), one process per run; in the same run rs274
// interprets the same program. Goal: at most 0.6 times rs274's time, at most 600 MiB.
// BM_OpenStages: the same path step by step in a process of its own, each stage timed: start-up
// (application, frame, empty document, window shown), reading the file, header directives, the
// rebuild of the elements, the views (projection, NC list), fitting and the first paint.
// BM_OpenOneLine: a file of one line of 1 to 20 MB (moves without line breaks), to the window
// and out: the time must grow with the size, not faster. Goal: under a second at 20 MB.
// BM_RunawayProgram: a program whose sub-programs call each other for ever, opened until the
// message that it was stopped. Goal: within 10 s and 1 GB.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QElapsedTimer>
#include <algorithm>
#include <clocale>
#include <cstdio>
#include <string>
#include <vector>

#include "BenchSupport.h"
#include "app/CMainFrame.h"
#include "app/CTessmarkApp.h"
#include "app/ViewPanes.h"
#include "app/core/ApplyNcHeaderDirectives.h"
#include "app/core/NcProgramFile.h"
#include "platform/HugePageHeap.h"
#include "platform/ScriptedPrompt.h"

namespace {

// A settings folder of the run's own, as a new user has it.
std::vector<std::string> FreshUserEnvironment(const bench::TempFolder& dir) {
    const std::string home = dir.path().string();
    return {"HOME=" + home, "XDG_CONFIG_HOME=" + home + "/config",
            "XDG_DATA_HOME=" + home + "/data", "QT_QPA_PLATFORM=offscreen"};
}

// One process of morvalen on a program: time to its first paint (or its first message) and out.
bench::ProcessRun OpenInMorvalen(const bench::TempFolder& dir, const std::string& file) {
    std::vector<std::string> env = FreshUserEnvironment(dir);
    env.push_back("MORVALEN_QUIT_AFTER_MS=1");
    return bench::RunProcess({(bench::ProgramFolder() / "morvalen").string(), file}, env);
}

// Each iteration one process of morvalen on file, timed, with its peak memory.
void TimeOpenings(benchmark::State& state, const bench::TempFolder& dir, const std::string& file) {
    for (auto _ : state) {
        const bench::ProcessRun run = OpenInMorvalen(dir, file);
        if (run.exitCode != 0) {
            state.SkipWithError("morvalen failed");
            return;
        }
        state.SetIterationTime(run.seconds);
        state.counters["peak_MiB"] = run.peakMiB;
    }
}

void BM_OpenToFirstPaint(benchmark::State& state) {
    const int parts = static_cast<int>(state.range(0));
    bench::TempFolder dir;
    const std::string ours = dir.Write("program.nc", bench::LaserProgram(parts, false)).string();
    const std::string theirs = dir.Write("program.ngc", bench::LaserProgram(parts, true)).string();
    const std::string rs274 = bench::Rs274();
    double rs274Seconds = 0, peak = 0, seconds = 0;
    for (auto _ : state) {
        if (!rs274.empty())
            rs274Seconds = bench::RunProcess({rs274, "-g", theirs, "/dev/null"}).seconds;
        const bench::ProcessRun run = OpenInMorvalen(dir, ours);
        if (run.exitCode != 0) {
            state.SkipWithError("morvalen failed");
            return;
        }
        peak = run.peakMiB;
        seconds = run.seconds;
        state.SetIterationTime(run.seconds);
    }
    state.SetLabel(rs274.empty() ? "rs274 missing (scripts/bench.sh installs it)" : "vs rs274");
    state.counters["rs274_s"] = rs274Seconds;
    // Our time over rs274's (the goal: at most 0.6).
    state.counters["of_rs274"] = rs274Seconds > 0 ? seconds / rs274Seconds : 0.0;
    state.counters["peak_MiB"] = peak;
}
BENCHMARK(BM_OpenToFirstPaint)->Apply([](auto* b) {
    bench::ProcessRuns(b->Arg(100000)->ArgNames({"parts"}));
});

void BM_OpenOneLine(benchmark::State& state) {
    const size_t bytes = size_t(state.range(0)) << 20;
    std::string line = "G91G01";
    line.reserve(bytes + 16);
    while (line.size() < bytes) line += "X1.Y1.";
    line += "\n";
    bench::TempFolder dir;
    const std::string file = dir.Write("one-line.nc", line).string();
    TimeOpenings(state, dir, file);
}
BENCHMARK(BM_OpenOneLine)->Apply([](auto* b) {
    bench::ProcessRuns(b->Arg(1)->Arg(2)->Arg(4)->Arg(20)->ArgNames({"MB"}));
});

void BM_RunawayProgram(benchmark::State& state) {
    bench::TempFolder dir;
    const std::string file =
        dir.Write("runaway.nc",
                  "G91\nM98P1L9999\nM30\nO1\nM98P2L9999\nM99\nO2\nG01X1.\nG01Y1.\nM99\n")
            .string();
    TimeOpenings(state, dir, file);
}
BENCHMARK(BM_RunawayProgram)->Apply([](auto* b) { bench::ProcessRuns(b); });

constexpr const char* kStages[] = {"startup", "read", "header", "rebuild", "views", "paint"};
constexpr int kStageCount = 6;

// The child of BM_OpenStages: prints the milliseconds of each stage.
int StagesInThisProcess(int argc, char** argv, const char* file) {
    QElapsedTimer clock;
    clock.start();
    double ms[kStageCount] = {};
    int stage = 0;
    qint64 last = 0;
    auto lap = [&] {
        const qint64 now = clock.nsecsElapsed();
        ms[stage++] = double(now - last) / 1e6;
        last = now;
    };
    QApplication app(argc, argv);
    std::setlocale(LC_NUMERIC, "C");
    InstallViewPanes();
    platform::ScriptedPrompt prompt;
    CTessmarkApp theApp;
    AppStartOptions options;
    options.Prompt = &prompt;
    if (!theApp.InitInstance({}, options)) return 1;
    QApplication::processEvents();
    lap();
    CTessmarkDoc& doc = *theApp.Document;
    auto loaded = ReadNcFile(file, false);
    if (!loaded) return 1;
    doc.Lines = std::move(loaded->lines);
    lap();
    ApplyNcHeaderDirectives(doc.Lines, file, theApp.HeaderHost);
    lap();
    doc.RebuildElements();
    lap();
    theApp.MainFrame()->OnDocumentChanged();
    lap();
    theApp.MainFrame()->ZoomFitInViews();
    theApp.MainFrame()->repaint();
    lap();
    for (double v : ms) std::printf("%.1f ", v);
    std::printf("\n");
    std::fflush(stdout);
    return 0;
}

void BM_OpenStages(benchmark::State& state) {
    const int parts = static_cast<int>(state.range(0));
    bench::TempFolder dir;
    const std::string ours = dir.Write("program.nc", bench::LaserProgram(parts, false)).string();
    const std::string self = (bench::ProgramFolder() / "OpenProgramBench").string();
    const std::vector<std::string> env = FreshUserEnvironment(dir);
    double ms[kStageCount] = {};
    for (auto _ : state) {
        const bench::ProcessRun run = bench::RunProcess({self, "--stages", ours}, env);
        if (run.exitCode != 0 ||
            std::sscanf(run.output.c_str(), "%lf %lf %lf %lf %lf %lf", &ms[0], &ms[1], &ms[2],
                        &ms[3], &ms[4], &ms[5]) != kStageCount) {
            state.SkipWithError("the stages process failed");
            return;
        }
        double total = 0;
        for (double v : ms) total += v;
        state.SetIterationTime(total / 1000.0);
        state.counters["peak_MiB"] = run.peakMiB;
    }
    for (int i = 0; i < kStageCount; ++i) state.counters[std::string(kStages[i]) + "_ms"] = ms[i];
}
BENCHMARK(BM_OpenStages)->Apply([](auto* b) {
    bench::ProcessRuns(b->Arg(100000)->ArgNames({"parts"}));
});

}  // namespace

int main(int argc, char** argv) {
    if (argc == 3 && std::string(argv[1]) == "--stages") {
        platform::UseHugePageHeap(argv);  // as the program starts
        return StagesInThisProcess(argc, argv, argv[2]);
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
