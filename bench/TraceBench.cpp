// The trace in the running program (frame, NC list, element view, information list, offscreen)
// on the generated laser program of about 100,000 elements (bench::LaserProgram).
// BM_AnimationPoint: one point of the trace animation at the Normal speed without its pause:
// the torch outline built and handed to the element view (which erases the old outline and
// draws the new one), then the events served (the view shown). Goal: under 33 ms, so the
// animation keeps 30 frames per second whatever the program's size.
// BM_RunAtHighSpeed: a run at the High speed (no pauses) over 2,000 blocks, stopped by a
// breakpoint, through the frame's posted next-step commands. Goal: at least 1,000 blocks per
// second.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QElapsedTimer>
#include <algorithm>
#include <cstdlib>
#include <memory>

#include "BenchSupport.h"
#include "QtBenchMain.h"
#include "app/CMainFrame.h"
#include "app/CTessmarkApp.h"
#include "app/ViewPanes.h"
#include "app/core/CommandIds.h"
#include "platform/ScriptedPrompt.h"
#include "text/CNcTextView.h"
#include "text/QtTracePump.h"
#include "text/core/NcTraceEngine.h"

namespace {

constexpr int kParts = 8400;  // twelve blocks and about twelve elements a part

// The program with the generated file open, made once for the benchmarks of this process.
struct Session {
    bench::TempFolder dir;
    platform::ScriptedPrompt prompt;
    std::unique_ptr<CTessmarkApp> app;
    Session() {
        ::setenv("HOME", dir.path().c_str(), 1);
        ::setenv("XDG_DATA_HOME", (dir.path() / "data").c_str(), 1);
        ::setenv("XDG_CONFIG_HOME", (dir.path() / "config").c_str(), 1);
        const std::string file =
            dir.Write("program.nc", bench::LaserProgram(kParts, false)).string();
        InstallViewPanes();
        app = std::make_unique<CTessmarkApp>();
        AppStartOptions options;
        options.Prompt = &prompt;
        app->InitInstance({"/US", file}, options);
        QApplication::processEvents();
    }
    CMainFrame* Frame() const { return app->MainFrame(); }
    CNcTextView* List() const { return Frame()->NcList(); }
    NcTraceEngine* Trace() const { return List() ? List()->Trace() : nullptr; }
};

std::unique_ptr<Session> g_session;

// Made by the first benchmark that runs, ended in main before the application object.
Session& TheSession() {
    if (!g_session) g_session = std::make_unique<Session>();
    return *g_session;
}

void BM_AnimationPoint(benchmark::State& state) {
    Session& s = TheSession();
    NcTraceEngine* trace = s.Trace();
    if (!trace) {
        state.SkipWithError("no trace");
        return;
    }
    s.Frame()->TraceTime = 1;  // Normal: the torch is drawn
    s.Frame()->OnCommand(cmd::Cancel);
    s.Frame()->OnCommand(cmd::Step);
    trace->Reader.State.ConditionDiameter = 10.0;
    trace->Reader.State.ConditionHeight = 20.0;
    QtTracePump pump;
    pump.Begin([](NcTracePump::Key) { return true; });
    int i = 0;
    for (auto _ : state) {
        // Along a cut of the sheet, one tool diameter a point.
        const CxyzData at(10.0 * (i % 500), 30.0 * ((i / 500) % 100), 0.0);
        ++i;
        QElapsedTimer clock;
        clock.start();
        trace->DrawTorchMark(&at);
        pump.Pump();
        state.SetIterationTime(double(clock.nsecsElapsed()) / 1e9);
    }
    pump.End();
    s.Frame()->OnCommand(cmd::Cancel);
}
BENCHMARK(BM_AnimationPoint)
    ->UseManualTime()
    ->Iterations(200)
    ->Repetitions(5)
    ->Unit(benchmark::kMillisecond)
    ->Apply([](auto* b) { bench::WithMinMax(b); });

void BM_RunAtHighSpeed(benchmark::State& state) {
    Session& s = TheSession();
    CNcTextView* list = s.List();
    if (!list || !list->Trace()) {
        state.SkipWithError("no trace");
        return;
    }
    const int blocks = static_cast<int>(state.range(0));
    int row = blocks;
    list->SelectLine(1, &row, 1);
    s.Frame()->OnCommand(cmd::BreakOn);
    s.Frame()->TraceTime = 0;
    for (auto _ : state) {
        s.Frame()->OnCommand(cmd::Cancel);
        QElapsedTimer clock;
        clock.start();
        s.Frame()->OnCommand(cmd::Run);
        while (s.app->TraceActive && list->Trace()->BlockRow < blocks)
            QApplication::processEvents();
        const double seconds = double(clock.nsecsElapsed()) / 1e9;
        state.SetIterationTime(seconds);
        state.counters["blocks_per_s"] = blocks / seconds;
    }
    s.Frame()->OnCommand(cmd::Cancel);
}
BENCHMARK(BM_RunAtHighSpeed)
    ->Arg(2000)
    ->ArgNames({"blocks"})
    ->UseManualTime()
    ->Iterations(1)
    ->Repetitions(5)
    ->Unit(benchmark::kMillisecond)
    ->Apply([](auto* b) { bench::WithMinMax(b); });

}  // namespace

int main(int argc, char** argv) {
    return RunQtBenchmarks(argc, argv, {}, [] { g_session.reset(); });
}
