// Helpers of the element view model tests: fixtures, a recording painter, layer walkers.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "kernel/db/CDtbEngine.h"
#include "views/model/ViewPainter.h"

namespace viewtest {

inline std::filesystem::path Fixture(const char* name) {
    return std::filesystem::path(MORVALEN_TEST_DATA) / "views" / name;
}

// Copies a fixture into a folder (the machine file reader writes two keys back).
inline std::filesystem::path CopyFixture(const char* name, const std::filesystem::path& dir) {
    const std::filesystem::path to = dir / name;
    std::filesystem::copy_file(Fixture(name), to,
                               std::filesystem::copy_options::overwrite_existing);
    return to;
}

struct PaintCall {
    ViewLayerId layer;
    ViewRgb colour;
    int style;
    int width;
    int mask;
};

class RecordingPainter : public ViewPainter {
public:
    void PaintLayer(ViewLayerId layer, ViewRgb colour, int style, int width, int mask) override {
        calls.push_back({layer, colour, style, width, mask});
    }
    void RepaintAll() override { ++repaints; }
    void MoveTorchMark(int stepKind, const CxyzData& position, int moveKind) override {
        torch.push_back({stepKind, moveKind, position});
    }
    void MainLayerRebuilding() override { ++rebuilds; }
    struct Torch {
        int stepKind;
        int moveKind;
        CxyzData position;
    };
    std::vector<PaintCall> calls;
    std::vector<Torch> torch;
    int repaints = 0;
    int rebuilds = 0;
};

// Every line of a chain, groups walked into, in order.
inline void CollectLines(const CDtbElement* e, std::vector<const CDtbLine*>& out) {
    for (; e; e = e->link.next) {
        if (const CDtbLine* l = DtbCast<CDtbLine>(e)) out.push_back(l);
        if (const CDtbNode* n = DtbCast<CDtbNode>(e)) CollectLines(n->firstChild, out);
    }
}

inline std::vector<const CDtbLine*> Lines(const CDtbEngine& layer) {
    std::vector<const CDtbLine*> out;
    CollectLines(layer.GetFirstElement(), out);
    return out;
}

inline int TopCount(const CDtbEngine& layer) {
    int n = 0;
    for (const CDtbElement* e = layer.GetFirstElement(); e; e = e->link.next) ++n;
    return n;
}

inline CDtbInfo Info(int classBits, int startMark = 0, int endMark = 0) {
    CDtbInfo i;
    i.red = 1;
    i.green = 2;
    i.blue = 3;
    i.classBits = classBits;
    i.startMark = startMark;
    i.endMark = endMark;
    return i;
}

}  // namespace viewtest
