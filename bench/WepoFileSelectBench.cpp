// The file dialogs over a generated folder of 10,000 files: the explorer style until its first
// rows show and until the list is complete, with the longest stall of the user-interface thread
// meanwhile (goals: 100 ms, 1 s, 50 ms); the old-style rebuild with the comment column (goal
// 200 ms); IdentifyFileKind per file (goal 50 microseconds).
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QTimer>
#include <QTreeView>
#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "QtBenchMain.h"
#include "StallMeter.h"
#include "wepo/core/FileKind.h"
#include "wepo/filesel/FileSelectDialog.h"
#include "wepo/filesel/FolderModel.h"
#include "wepo/filesel/OldFileSelect.h"

namespace fs = std::filesystem;

namespace {

constexpr int kFiles = 10000;

// A folder of drawings, NC programs and texts, made once per run.
const fs::path& Folder() {
    static fs::path folder = [] {
        std::string tmpl = (fs::temp_directory_path() / "wepo-bench-XXXXXX").string();
        fs::path p = ::mkdtemp(tmpl.data());
        for (int i = 0; i < kFiles; ++i) {
            char name[32];
            const char* ext = i % 3 == 0 ? "dxf" : i % 3 == 1 ? "nc" : "txt";
            std::snprintf(name, sizeof name, "part%05d.%s", i, ext);
            std::ofstream out(p / name, std::ios::binary);
            if (i % 3 == 1)
                out << "N10 G90 G00 X" << i << ". Y10.\r\nG01 X100.\r\nM30\r\n";
            else
                out << "0\nSECTION\n2\nENTITIES\n0\nLINE\n8\n0\n10\n0\n20\n0\n11\n"
                    << i << "\n21\n50\n0\nENDSEC\n0\nEOF\n";
        }
        return p;
    }();
    return folder;
}

void BM_ExplorerDialog10000(benchmark::State& state) {
    const QString folder = QString::fromStdString(Folder().string());
    double first = 0, complete = 0, stall = 0;
    for (auto _ : state) {
        wepo::FileSelectRequest r;
        r.filters = {{"All", {"*"}}};
        r.folder = QDir::homePath();
        wepo::FileSelectDialog dialog(nullptr, r);
        dialog.show();
        QApplication::processEvents();
        wepo::FolderModel* model = dialog.Model();
        StallMeter meter;
        QElapsedTimer clock;
        clock.start();
        dialog.SetFolder(folder);
        while (model->rowCount() == 0 && clock.elapsed() < 10000)
            QApplication::processEvents(QEventLoop::AllEvents, 1);
        first = clock.nsecsElapsed() / 1e6;
        while (model->Loading() && clock.elapsed() < 20000)
            QApplication::processEvents(QEventLoop::AllEvents, 1);
        QApplication::processEvents();  // the sorted rows painted
        complete = clock.nsecsElapsed() / 1e6;
        StallMeter::Settle();
        stall = meter.LongestMs();
        state.SetIterationTime(complete / 1000.0);
        dialog.hide();
    }
    state.counters["first_rows_ms"] = first;
    state.counters["complete_ms"] = complete;
    state.counters["longest_stall_ms"] = stall;
}
BENCHMARK(BM_ExplorerDialog10000)->UseManualTime()->Iterations(3)->Unit(benchmark::kMillisecond);

void BM_OldStyleRebuildWithComments10000(benchmark::State& state) {
    wepo::FileSelectRequest r;
    r.filters = {{"All", {"*"}}};
    r.folder = QString::fromStdString(Folder().string());
    wepo::OldFileSelect old(nullptr, r, 0x1, 0xF);
    while (old.Rebuilding()) QApplication::processEvents(QEventLoop::AllEvents, 1);
    double stall = 0;
    for (auto _ : state) {
        StallMeter meter;
        QElapsedTimer clock;
        clock.start();
        old.Rebuild();
        while (old.Rebuilding()) QApplication::processEvents(QEventLoop::AllEvents, 1);
        state.SetIterationTime(clock.nsecsElapsed() / 1e9);
        StallMeter::Settle();
        stall = std::max(stall, meter.LongestMs());
    }
    state.counters["longest_stall_ms"] = stall;
}
BENCHMARK(BM_OldStyleRebuildWithComments10000)
    ->UseManualTime()
    ->Iterations(5)
    ->Unit(benchmark::kMillisecond);

void BM_IdentifyFileKind(benchmark::State& state) {
    std::vector<std::string> paths;
    for (const auto& e : fs::directory_iterator(Folder())) paths.push_back(e.path().string());
    size_t i = 0;
    char comment[256];
    for (auto _ : state) {
        benchmark::DoNotOptimize(wepo::IdentifyFileKind(paths[i].c_str(), comment, sizeof comment));
        i = (i + 1) % paths.size();
    }
}
BENCHMARK(BM_IdentifyFileKind)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
    return RunQtBenchmarks(argc, argv, Folder());
}
