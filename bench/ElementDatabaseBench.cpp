// Speed and memory of the element database with a million elements: build, walk, deep copy.
#include <benchmark/benchmark.h>

#include "BenchSupport.h"

#include <malloc.h>

#include <string>

#include "kernel/Tarnwick.h"

namespace {

constexpr int kElements = 1000000;

// Heap bytes in use (glibc).
size_t HeapInUse() {
    return bench::BytesInUse();
}

// What the NC reader makes: mostly lines and arcs with their "LineNo=", "PrtNo=" and "ElmInfo="
// texts, a point now and then, and a divided arc (a group of chords) every 50 blocks.
void Build(CDtbEngine& db, int count, bool withTexts) {
    const CDtbInfo cut{255, 0, 0, 1, 0, kDtbClassCut, 0, 0};
    std::string text;
    for (int i = 0; i < count;) {
        if (i % 50 == 49) {
            auto* g = new CDtbNode("Tessmark", 8, "DevideArc", 9, nullptr, 0);
            db.AppendDtb(g);
            db.NodeUp(g);
            for (int k = 0; k < 4; ++k)
                db.AppendDtb(new CDtbLine(CxyzData(i, k, 0), CxyzData(i, k + 1, 0), cut));
            db.NodeDown();
            i += 5;
            continue;
        }
        CDtbElement* e;
        if (i % 3 == 0) {
            e = new CDtbArc(CxyzData(i, 0, 0), 5, 0, 90, 0, cut);
        } else if (i % 97 == 0) {
            e = new CDtbPoint(CxyzData(i, 1, 0), 1, cut);
        } else {
            e = new CDtbLine(CxyzData(i, 0, 0), CxyzData(i + 1, 1, 0), cut);
        }
        if (withTexts) {
            text = "LineNo=";
            text += std::to_string(i / 3);
            e->attributes.Add(text);
            e->attributes.Add("PrtNo=1");
            e->attributes.Add("ElmInfo=1,4");
        }
        db.AppendDtb(e);
        ++i;
    }
}

void BM_Build(benchmark::State& state) {
    const bool withTexts = state.range(0) != 0;
    double bytesPerElement = 0;
    for (auto _ : state) {
        const size_t before = HeapInUse();
        CDtbEngine db;
        Build(db, kElements, withTexts);
        state.PauseTiming();
        bytesPerElement = double(HeapInUse() - before) / double(db.GetCount());
        db.Empty();
        state.ResumeTiming();
    }
    state.counters["bytes_per_element"] = bytesPerElement;
    state.counters["ns_per_element"] =
        benchmark::Counter(double(kElements), benchmark::Counter::kIsIterationInvariantRate |
                                                  benchmark::Counter::kInvert);
}
BENCHMARK(BM_Build)->Arg(0)->Arg(1)->ArgNames({"texts"})->Unit(benchmark::kMillisecond);

CDtbEngine& Shared() {
    static CDtbEngine db = [] {
        CDtbEngine d;
        Build(d, kElements, true);
        return d;
    }();
    return db;
}

// A view's drawing pass: every element visited, lengths and the box taken.
void BM_Walk(benchmark::State& state) {
    CDtbEngine& db = Shared();
    for (auto _ : state) {
        CxyData min, max;
        ResetBox(&min, &max);
        db.MinMax(&min, &max);
        double length = 0;
        db.GetElementLength(&length);
        benchmark::DoNotOptimize(length);
        benchmark::DoNotOptimize(min);
    }
    state.counters["ns_per_element"] =
        benchmark::Counter(double(kElements), benchmark::Counter::kIsIterationInvariantRate |
                                                  benchmark::Counter::kInvert);
}
BENCHMARK(BM_Walk)->Unit(benchmark::kMillisecond);

void BM_DeepCopy(benchmark::State& state) {
    CDtbEngine& db = Shared();
    for (auto _ : state) {
        CDtbEngine copy;
        copy.AppendDtb(&db);
        state.PauseTiming();
        copy.Empty();
        state.ResumeTiming();
    }
    state.counters["ns_per_element"] =
        benchmark::Counter(double(kElements), benchmark::Counter::kIsIterationInvariantRate |
                                                  benchmark::Counter::kInvert);
}
BENCHMARK(BM_DeepCopy)->Unit(benchmark::kMillisecond);

// Filter, rotate and empty: the trace and the views' layer work.
void BM_FilterRotateEmpty(benchmark::State& state) {
    for (auto _ : state) {
        state.PauseTiming();
        CDtbEngine db;
        Build(db, kElements, true);
        state.ResumeTiming();
        db.NoDispFlagDtb(kDtbAny, kDtbAny, kDtbAny, kDtbAny, kDtbAny, kDtbClassRapid);
        CDtbEngine::Rotate(db.GetFirstElement(), CxyzData(), 30);
        db.Empty();
    }
    state.counters["ns_per_element"] =
        benchmark::Counter(double(kElements), benchmark::Counter::kIsIterationInvariantRate |
                                                  benchmark::Counter::kInvert);
}
BENCHMARK(BM_FilterRotateEmpty)->Unit(benchmark::kMillisecond);

void BM_ElementSizes(benchmark::State& state) {
    for (auto _ : state) benchmark::DoNotOptimize(state.iterations());
    state.counters["sizeof_line"] = sizeof(CDtbLine);
    state.counters["sizeof_arc"] = sizeof(CDtbArc);
    state.counters["sizeof_point"] = sizeof(CDtbPoint);
    state.counters["sizeof_node"] = sizeof(CDtbNode);
}
BENCHMARK(BM_ElementSizes)->Iterations(1);

}  // namespace

BENCHMARK_MAIN();
