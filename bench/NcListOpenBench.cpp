// How long the NC line list takes to show a program of a million lines: a new list filled from
// the document's lines and painted once (the time a user waits after opening the file).
#include <benchmark/benchmark.h>

#ifdef MORVALEN_HAVE_TEXT_UI

#include <QApplication>
#include <QHeaderView>
#include <filesystem>
#include <string>
#include <vector>

#include "GeneratedProgram.h"
#include "QtBenchMain.h"
#include "text/CNcTextView.h"
#include "text/NcLineModel.h"

namespace {

std::filesystem::path IniPath() {
    return std::filesystem::temp_directory_path() / "NcListOpenBench.ini";
}

NcTextViewContext Context(int appMachineType) {
    NcTextViewContext ctx;
    ctx.IniPath = IniPath();
    ctx.Lines = [] { return &MillionLines(); };
    ctx.Rules = [appMachineType] {
        NcTextRules r;
        r.AppMachineType = appMachineType;
        return r;
    };
    return ctx;
}

// A new list over the lines, shown and painted.
void BM_OpenMillionLines(benchmark::State& state) {
    const int type = int(state.range(0));
    MillionLines();
    for (auto _ : state) {
        CNcTextView view(nullptr, Context(type));
        view.resize(300, 600);
        view.show();
        view.repaint();
        QApplication::processEvents();
        benchmark::DoNotOptimize(view.Model()->rowCount());
    }
    state.counters["rows"] = double(MillionLines().size());
}
BENCHMARK(BM_OpenMillionLines)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// A refill of a shown list (what every document update costs).
void BM_RefillMillionLines(benchmark::State& state) {
    CNcTextView view(nullptr, Context(0));
    view.resize(300, 600);
    view.show();
    QApplication::processEvents();
    int row = 500000;
    for (auto _ : state) {
        view.UpdateFromDocument();
        view.SelectLine(1, &row, 0);
        view.repaint();
    }
}
BENCHMARK(BM_RefillMillionLines)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    return RunQtBenchmarks(argc, argv, IniPath());
}

#else

// Built without the Qt user interface: nothing to measure.
BENCHMARK_MAIN();

#endif
