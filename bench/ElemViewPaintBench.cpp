// Full repaint of an element view holding 100,000 elements (goal: under 50 ms on one core, with
// the direction arrows of EdgeDisp 1), and zoom, pan and fit of the 1.2M-block laser program
// (bench::LaserProgram read by the NC reader; goal: under 100 ms each, the render included).
// The drawing between paints on 1,000 and 100,000 elements: one hover move from one element
// to another (hit test, restore, highlight and tip; goal under 8 ms), and a trace step of ten
// elements drawn and committed (goal: the larger program within 1.5 times the smaller).
#include <benchmark/benchmark.h>

#include <QApplication>
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <memory>

#include "BenchSupport.h"
#include "QtBenchMain.h"
#include "app/core/TextFile.h"
#include "kernel/db/CDtbArc.h"
#include "kernel/db/CDtbEngine.h"
#include "kernel/db/CDtbLine.h"
#include "nc/machine/CNcReadInfo.h"
#include "nc/read/CNcRead.h"
#include "nc/read/NcAttributeTexts.h"
#include "nc/read/NcProgramRunner.h"
#include "views/CNcElemView.h"

namespace {

CDtbInfo Info(int classBits, int r, int g, int b) {
    CDtbInfo i;
    i.red = r;
    i.green = g;
    i.blue = b;
    i.classBits = classBits;
    return i;
}

// Parts on a sheet of 3000 x 1500: per part a rapid move, a cut outline of four lines with a
// rounded corner and a cut hole, ten elements in all (arcs become groups of line pieces). With
// texts, each element carries its "LineNo=", "PrtNo=" and "ElmInfo=" as the reader writes them.
void FillSheet(CDtbEngine& db, int elements, bool texts = false) {
    const int parts = elements / 10;
    const int cols = static_cast<int>(std::ceil(std::sqrt(parts * 2.0)));
    double x0 = 0, y0 = 0;
    for (int p = 0; p < parts; ++p) {
        const double px = (p % cols) * 3000.0 / cols, py = (p / cols) * 3000.0 / cols;
        const double s = 3000.0 / cols * 0.8;
        int lineNo = 0;
        auto line = [&](double ax, double ay, double bx, double by, int cls) {
            const CDtbInfo i = cls == 1 ? Info(1, 0, 0, 255) : Info(cls, 255, 0, 0);
            CDtbLine* l =
                db.Append(std::make_unique<CDtbLine>(CxyzData(ax, ay, 0), CxyzData(bx, by, 0), i));
            if (texts) {
                const NcElmInfo info = LineElmInfo(*l);
                AddElementTexts(*l, p * 10 + lineNo++, 0, &info);
            }
        };
        auto arc = [&](CDtbArc* a) {
            if (!texts) return;
            const NcElmInfo info = ArcElmInfo(*a);
            AddElementTexts(*a, p * 10 + lineNo++, 0, &info);
        };
        line(x0, y0, px, py, kDtbClassRapid);
        line(px, py, px + s, py, kDtbClassCut);
        line(px + s, py, px + s, py + s * 0.8, kDtbClassCut);
        arc(db.Append(std::make_unique<CDtbArc>(CxyzData(px + s * 0.8, py + s * 0.8, 0), s * 0.2, 0,
                                                90, 0, Info(kDtbClassCut, 255, 0, 0))));
        line(px + s * 0.8, py + s, px, py + s, kDtbClassCut);
        line(px, py + s, px, py, kDtbClassCut);
        line(px, py, px + s * 0.3, py + s * 0.5, kDtbClassRapid);
        arc(db.Append(std::make_unique<CDtbArc>(CxyzData(px + s * 0.5, py + s * 0.5, 0), s * 0.2, 0,
                                                360, 0, Info(kDtbClassCut, 255, 0, 0))));
        line(px + s * 0.3, py + s * 0.5, px + s * 0.3, py + s * 0.5 + 1, kDtbClassMark);
        line(px + s * 0.3, py + s * 0.5, px + s * 0.4, py + s * 0.6, kDtbClassMark);
        x0 = px;
        y0 = py;
    }
}

void BM_FullRepaint100k(benchmark::State& state) {
    CDtbEngine doc;
    FillSheet(doc, 100000);
    CNcReadInfo machine;  // the default pen table: rapid 1 pixel, the others 2
    CNcElemView view;
    view.Context().Elements = &doc;
    view.Context().Machine = &machine;
    for (size_t i = 0; i < view.FrameState().Pens.entries.size(); ++i) {
        ElemPen& pen = view.FrameState().Pens.entries[i];
        pen.colour = ViewRgb{machine.Pen[i][0], machine.Pen[i][1], machine.Pen[i][2]};
        pen.width = std::getenv("BENCH_W1") ? 1 : machine.PenWide[i];
        pen.style = machine.PenKind[i];
    }
    view.FrameState().EdgeDisp = static_cast<int>(state.range(0));
    view.resize(1200, 900);
    view.SetViewType(kViewTop, 0, 0, 0);
    view.show();
    view.OnUpdate();
    state.counters["elements"] = static_cast<double>(doc.GetCount());
    for (auto _ : state) {
        view.RenderAll();
        benchmark::DoNotOptimize(view.BackBuffer().constBits());
    }
}
BENCHMARK(BM_FullRepaint100k)
    ->Arg(0)
    ->Arg(1)
    ->ArgNames({"EdgeDisp"})
    ->Unit(benchmark::kMillisecond)
    ->Apply([](auto* b) { bench::WithMinMax(b); });

// The generated program of 100,000 parts (1,200,002 blocks) read once, as the document holds it.
struct LargeProgram {
    CNcReadInfo machine;
    CDtbEngine doc;
    LargeProgram() {
        const std::vector<std::string> lines =
            textfile::SplitLines(bench::LaserProgram(100000, false));
        CNcRead reader;
        reader.SetProgramShared(lines, &machine, nullptr, 0);
        (void)NcProgramRunner(reader).Run(doc);
    }
};

LargeProgram& Large() {
    static LargeProgram program;
    return program;
}

enum Navigation { kZoomIn, kZoomOut, kScroll, kFit };

// One navigation step of the fitted 1.2M-block program, up to the rendered picture.
void BM_Navigate1200k(benchmark::State& state) {
    LargeProgram& program = Large();
    CNcElemView view;
    view.Context().Elements = &program.doc;
    view.Context().Machine = &program.machine;
    view.FrameState().EdgeDisp = 0;
    view.resize(1200, 900);
    view.SetViewType(kViewTop, 0, 0, 0);
    view.show();
    view.OnUpdate();
    (void)view.BackBuffer();
    const auto step = static_cast<Navigation>(state.range(0));
    int n = 0;
    for (auto _ : state) {
        switch (step) {
            case kZoomIn:  // into the middle of the sheet, then back out (not timed)
                view.ZoomIn();
                break;
            case kZoomOut:
                view.ZoomOut();
                break;
            case kScroll:
                if (n++ % 2)
                    view.ScrollLeft();
                else
                    view.ScrollRight();
                break;
            case kFit:
                view.ZoomFit();
                break;
        }
        benchmark::DoNotOptimize(view.BackBuffer().constBits());
        if (step == kZoomIn || step == kZoomOut) {
            state.PauseTiming();
            view.ZoomFit();
            (void)view.BackBuffer();
            state.ResumeTiming();
        }
    }
    state.counters["runs"] = static_cast<double>(view.Model().MainDrawing().Runs().size());
}
BENCHMARK(BM_Navigate1200k)
    ->Arg(kZoomIn)
    ->Arg(kZoomOut)
    ->Arg(kScroll)
    ->Arg(kFit)
    ->ArgNames({"in_out_pan_fit"})
    ->Unit(benchmark::kMillisecond)
    ->Apply([](auto* b) { bench::WithMinMax(b); });

// A shown view of 1200 x 900 pixels over a sheet of the given size, fitted and painted, with
// the machine's default pen table.
struct SheetView {
    CNcReadInfo machine;
    CDtbEngine doc;
    std::vector<std::string> lines;
    CNcElemView view;
    explicit SheetView(int elements) {
        FillSheet(doc, elements, true);
        lines.assign(size_t(elements), "G01X100.Y100.");
        view.Context().Elements = &doc;
        view.Context().Machine = &machine;
        view.Context().Lines = &lines;
        for (size_t i = 0; i < view.FrameState().Pens.entries.size(); ++i) {
            ElemPen& pen = view.FrameState().Pens.entries[i];
            pen.colour = ViewRgb{machine.Pen[i][0], machine.Pen[i][1], machine.Pen[i][2]};
            pen.width = machine.PenWide[i];
            pen.style = machine.PenKind[i];
        }
        view.resize(1200, 900);
        view.SetViewType(kViewTop, 0, 0, 0);
        view.show();
        view.OnUpdate();
        (void)view.BackBuffer();
    }
    // The client point in the middle of the first piece of run r.
    QPoint RunPoint(size_t r) {
        const ProjectedLayer& layer = view.Model().MainDrawing();
        const ProjectedRun& run = layer.Runs()[r];
        const CxyData& a = layer.Vertices()[run.vertex];
        const CxyData& b = layer.Vertices()[run.vertex + 1];
        return QPoint(view.Model().WorldToScreenX((a.x + b.x) / 2),
                      view.Model().WorldToScreenY((a.y + b.y) / 2));
    }
};

// The drawing between paints is measured on a sheet of 1,000 and one of 100,000 elements.
void OnSmallAndLargeSheets(benchmark::internal::Benchmark* b) {
    bench::WithMinMax(b->Arg(1000)->Arg(100000)->ArgNames({"elements"})->Repetitions(5))
        ->Unit(benchmark::kMillisecond);
}

// One mouse move from an element to another: the hit test over the whole layer, the old
// element restored, the new one highlighted with its arrows, its tip built and shown.
void BM_HoverMove(benchmark::State& state) {
    SheetView s(static_cast<int>(state.range(0)));
    const size_t runs = s.view.Model().MainDrawing().Runs().size();
    // Two cut lines (the first piece of a part's outline) in the middle of the sheet.
    const QPoint points[2] = {s.RunPoint(runs / 2 / 10 * 10 + 1),
                              s.RunPoint(runs / 3 / 10 * 10 + 1)};
    int i = 0;
    for (auto _ : state) {
        s.view.HoverAt(points[i++ % 2]);
        if (!s.view.HoverElement()) state.SkipWithError("nothing hovered");
    }
    s.view.HideElemTip();
    state.counters["runs"] = static_cast<double>(runs);
}
BENCHMARK(BM_HoverMove)->Apply(OnSmallAndLargeSheets);

// A trace step of ten elements (a part's outline and its hole) drawn in the current-step pen
// with its arrows, then committed to the traced path, while the tool outline is on show.
void BM_TraceStepDrawAndCommit(benchmark::State& state) {
    SheetView s(static_cast<int>(state.range(0)));
    s.view.FrameState().TraceActive = 1;
    s.view.RepaintAll();
    (void)s.view.BackBuffer();
    CDtbEngine step;
    FillSheet(step, 10);
    CDtbEngine tool;
    tool.Append(std::make_unique<CDtbArc>(CxyzData(100, 100, 0), 5, 0, 360, 0,
                                          Info(kDtbClassToolMark, 255, 255, 0)));
    s.view.SetToolLayer(&tool, 0);
    for (auto _ : state) {
        s.view.DrawTraceStep(&step);
        s.view.CommitTraceStep();
    }
}
BENCHMARK(BM_TraceStepDrawAndCommit)->Apply(OnSmallAndLargeSheets);

}  // namespace

int main(int argc, char** argv) {
    return RunQtBenchmarks(argc, argv, {});
}
