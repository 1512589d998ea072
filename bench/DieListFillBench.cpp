// The die list with 2000 dies: opening it (template, controls, list filled, shown) and filling it
// again when a filter changes, which is what the user waits for (goal: under 100 ms).
#include <benchmark/benchmark.h>

#include <QAbstractButton>
#include <QElapsedTimer>
#include <QTreeWidget>
#include <filesystem>

#include "QtBenchMain.h"
#include "nc/NcAppContext.h"
#include "nc/machine/CPunchTool.h"
#include "settings/DieDialogs.h"
#include "settings/TableDialogRun.h"

namespace {

// A full table, sizes and usage varied, the first hundred placed: of every shape, or all round
// (the list then opens on all of them).
void FillTable(CPunchTool& tool, bool allRound) {
    for (int i = 0; i < kMaxDies; ++i) {
        DieRecord& d = tool.Dies[size_t(i)];
        d.Number = int16_t(i + 1);
        d.Range = int16_t(1 + i % 10);
        d.Shape = int16_t(allRound ? 1 : 1 + i % 14);
        d.SizeX = 1.0 + i % 97;
        d.SizeY = (i % 5) * 2.5;
        d.SizeR = i % 3;
        d.Angle = (i % 4) * 45.0;
        d.Usage = int16_t(i % 64);
        d.Air = int16_t(i % 2);
        if (d.Shape == kShapeSpecial) d.ShapeFile = "SPECIAL" + std::to_string(i) + ".SPF";
    }
    tool.Header.DieCount = kMaxDies;
    tool.Header.SelectedDie = -99;
    tool.Arrangement.StationCount = 100;
    for (int s = 0; s < 100; ++s) tool.Arrangement.Stations[size_t(s)].Die.Number = int16_t(s + 1);
}

struct Setup {
    NcAppContext ctx;
    CPunchTool tool{&ctx};
    DieDialogs dialogs;
    explicit Setup(bool allRound) {
        tool.Dialogs = &dialogs;
        FillTable(tool, allRound);
    }
};

// From the die button to the list shown with all 2000 dies, closed again.
void DieListOpen2000(benchmark::State& state) {
    Setup s(true);
    for (auto _ : state) {
        TableDialogScripts scripts;
        QElapsedTimer clock;
        qint64 shown = 0;
        scripts.Add(1537, [&](QWidget* d) {
            shown = clock.nsecsElapsed();
            DlgBoxEnd(d, 0);
        });
        s.tool.Header.SelectedDie = -99;
        clock.start();
        s.tool.ShowDieDialog(0, 1);
        state.SetIterationTime(double(shown) * 1e-9);
    }
}
BENCHMARK(DieListOpen2000)->UseManualTime()->Unit(benchmark::kMillisecond);

// The list filled again with all 2000 rows: the filter of every die chosen in the open dialog.
void DieListFill2000(benchmark::State& state) {
    Setup s(false);
    TableDialogScripts scripts;
    QTreeWidget* list = nullptr;
    scripts.Add(1537, [&](QWidget* d) {
        list = qobject_cast<QTreeWidget*>(DlgBoxControl(d, 1324));
        auto* all = qobject_cast<QAbstractButton*>(DlgBoxControl(d, 1490));
        auto* round = qobject_cast<QAbstractButton*>(DlgBoxControl(d, 1476));
        for (auto _ : state) {
            state.PauseTiming();
            round->click();
            state.ResumeTiming();
            all->click();
        }
        state.counters["rows"] = list->topLevelItemCount();
        DlgBoxEnd(d, 0);
    });
    s.tool.ShowDieDialog(0, 1);
}
BENCHMARK(DieListFill2000)->Unit(benchmark::kMillisecond)->Iterations(20);

}  // namespace

int main(int argc, char** argv) {
    return RunQtBenchmarks(argc, argv, {});
}
