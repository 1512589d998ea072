// Previews into the pane's picture: a CAD backup of 100,000 records, a native drawing of 65,535
// records (its most) and a DXF of 100,000 entities (goal 200 ms each); the thumbnail list over a
// folder of 10,000 drawing files, until every thumbnail is drawn (goal 5 s), with the longest
// stall of the user-interface thread meanwhile (goal 50 ms).
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QTimer>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "QtBenchMain.h"
#include "StallMeter.h"
#include "tests/HndFixture.h"
#include "wepo/preview/PreviewList.h"
#include "wepo/preview/Renderers.h"

namespace fs = std::filesystem;

namespace {

const QRect kPane(0, 0, 230, 206);

fs::path Scratch() {
    static fs::path folder = [] {
        std::string tmpl = (fs::temp_directory_path() / "wepo-preview-bench-XXXXXX").string();
        return fs::path(::mkdtemp(tmpl.data()));
    }();
    return folder;
}

QString Write(const std::string& name, const std::string& bytes) {
    const fs::path p = Scratch() / name;
    std::ofstream(p, std::ios::binary) << bytes;
    return QString::fromStdString(p.string());
}

// Records of a sheet of parts: lines, arcs and now and then a text.
std::string NativeDrawing(int records) {
    test::HndDrawing d(true, true);
    d.Extents(0, 0, 3000, 1500);
    for (int i = 0; i < records; ++i) {
        const double x = (i * 37) % 3000, y = (i * 53) % 1500;
        if (i % 10 == 9)
            d.Text(x, y, 8, 6, 1, 0, 0, "PART-123");
        else if (i % 3 == 0)
            d.Arc(x, y, 5 + i % 20, 0, 360, 0x10);
        else
            d.Line(x, y, x + 40, y + 15, 0x10 * (1 + i % 6));
    }
    return d.data();
}

std::string Backup(int records) {
    test::Bytes b(446);
    b.Put(0, "FLENDIR rimbl Backup V2")
        .Put(284, "SHEET")
        .F64(410, 0)
        .F64(418, 0)
        .F64(426, 3000)
        .F64(434, 1500);
    b.U32(442, static_cast<uint32_t>(records));
    std::string out = b.data();
    out.reserve(446 + 64 * static_cast<size_t>(records));
    for (int i = 0; i < records; ++i) {
        test::Bytes r(64);
        const double x = (i * 37) % 3000, y = (i * 53) % 1500;
        if (i % 3 == 0)
            r.U16(4, 4)
                .F64(16, x)
                .F64(24, y)
                .F64(32, 5 + i % 20)
                .F64(40, 0)
                .F64(48, 360)
                .U16(56, 0x10);
        else
            r.U16(4, 2).F64(16, x).F64(24, y).F64(32, x + 40).F64(40, y + 15).U16(48, 0x20);
        out += r.data();
    }
    return out;
}

std::string Dxf(int entities) {
    std::string s =
        "0\nSECTION\n2\nHEADER\n9\n$EXTMIN\n10\n0\n20\n0\n9\n$"
        "EXTMAX\n10\n3000\n20\n1500\n0\nENDSEC\n"
        "0\nSECTION\n2\nENTITIES\n";
    for (int i = 0; i < entities; ++i) {
        const int x = (i * 37) % 3000, y = (i * 53) % 1500;
        if (i % 3 == 0)
            s += "0\nCIRCLE\n8\n0\n10\n" + std::to_string(x) + "\n20\n" + std::to_string(y) +
                 "\n40\n" + std::to_string(5 + i % 20) + "\n";
        else
            s += "0\nLINE\n8\n0\n10\n" + std::to_string(x) + "\n20\n" + std::to_string(y) +
                 "\n11\n" + std::to_string(x + 40) + "\n21\n" + std::to_string(y + 15) + "\n";
    }
    return s + "0\nENDSEC\n0\nEOF\n";
}

void RenderBench(benchmark::State& state, wepo::PreviewRenderer renderer, const QString& path) {
    for (auto _ : state) {
        wepo::PreviewRun run;
        std::string text;
        QImage picture = renderer(wepo::PRM_COLOR, path, &kPane, &text, 32767, run);
        if (picture.isNull()) state.SkipWithError("no picture");
        benchmark::DoNotOptimize(picture.constBits());
    }
}

void BM_CadBackup100000(benchmark::State& state) {
    static const QString path = Write("sheet.bak", Backup(100000));
    RenderBench(state, wepo::RenderCadBackup, path);
}
BENCHMARK(BM_CadBackup100000)->Unit(benchmark::kMillisecond);

void BM_NativeDrawing65535(benchmark::State& state) {
    static const QString path = Write("sheet.nmd", NativeDrawing(65535));
    RenderBench(state, wepo::RenderCadDrawing, path);
}
BENCHMARK(BM_NativeDrawing65535)->Unit(benchmark::kMillisecond);

void BM_Dxf100000(benchmark::State& state) {
    static const QString path = Write("sheet.dxf", Dxf(100000));
    RenderBench(state, wepo::RenderDxfDrawing, path);
}
BENCHMARK(BM_Dxf100000)->Unit(benchmark::kMillisecond);

void BM_PreviewList10000(benchmark::State& state) {
    static const fs::path folder = [] {
        const fs::path f = Scratch() / "list";
        fs::create_directories(f);
        for (int i = 0; i < 10000; ++i) {
            char name[32];
            std::snprintf(name, sizeof name, "part%05d.%s", i, i % 2 ? "nmd" : "dxf");
            std::ofstream out(f / name, std::ios::binary);
            out << (i % 2 ? NativeDrawing(20 + i % 30) : Dxf(20 + i % 30));
        }
        return f;
    }();
    double stall = 0;
    for (auto _ : state) {
        wepo::PreviewList list(
            nullptr, {QString::fromStdString(folder.string()), {"*.nmd", "*.dxf"}, {}, {}});
        QElapsedTimer clock;
        bool finished = false;
        QObject::connect(&list, &wepo::PreviewList::Finished, [&] { finished = true; });
        QTimer::singleShot(0, list.Dialog(), [&] {
            StallMeter meter;
            clock.start();
            while (!finished && clock.elapsed() < 60000)
                QApplication::processEvents(QEventLoop::AllEvents, 1);
            state.SetIterationTime(clock.nsecsElapsed() / 1e9);
            StallMeter::Settle();
            stall = meter.LongestMs();
            list.Dialog()->reject();
        });
        QString chosen;
        list.Run(&chosen);
        state.counters["thumbnails"] = list.EntryCount();
    }
    state.counters["longest_stall_ms"] = stall;
}
BENCHMARK(BM_PreviewList10000)->UseManualTime()->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    return RunQtBenchmarks(argc, argv, Scratch());
}
