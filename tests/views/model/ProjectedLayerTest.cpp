// The projected form of a layer: runs in painting order over shared vertices, and its box.
#include "views/model/ProjectedLayer.h"

#include <gtest/gtest.h>

#include <memory>

#include "ViewTestSupport.h"

namespace {

CDtbInfo Info(int classBits, int red = 255) {
    CDtbInfo i;
    i.red = red;
    i.classBits = classBits;
    return i;
}

std::unique_ptr<CDtbLine> Line(double x1, double y1, double x2, double y2, int cls = 4) {
    return std::make_unique<CDtbLine>(CxyzData(x1, y1, 0), CxyzData(x2, y2, 0), Info(cls));
}

}  // namespace

TEST(ProjectedLayer, AContinuousPathSharesItsVerticesAndAnArcBecomesOneRunOfPieces) {
    CDtbEngine doc;
    doc.Append(Line(0, 0, 10, 0, 1));
    doc.Append(Line(10, 0, 10, 10));
    // Radius 5, 0 to 90 counter-clockwise: 8 pieces, starting at (15, 10), not at (10, 10).
    doc.Append(std::make_unique<CDtbArc>(CxyzData(10, 10, 0), 5, 0, 90, 0, Info(4, 7)));
    doc.Append(Line(10, 15, 0, 15));
    ViewProjection top;
    top.SetViewType(kViewTop, 0, 0, 0);
    ProjectedLayer layer;
    layer.Project(top, doc.GetFirstElement());

    const auto& runs = layer.Runs();
    ASSERT_EQ(runs.size(), 4u);
    EXPECT_EQ(runs[0].vertex, 0u);
    EXPECT_EQ(runs[1].vertex, 1u);  // starts where the rapid move ends
    EXPECT_EQ(runs[2].vertex, 3u);  // the arc starts elsewhere: a vertex of its own
    EXPECT_EQ(runs[2].pieces, 8);
    EXPECT_EQ(runs[3].vertex, 11u);  // the arc ends exactly where the last line begins
    EXPECT_EQ(layer.Vertices().size(), 13u);
    EXPECT_EQ(runs[2].Colour(), 7u);
    EXPECT_EQ(runs[0].classBits, 1);
    // Group boundaries: the arc is a group of its own.
    EXPECT_EQ(runs[1].Flags(), 0);
    EXPECT_EQ(runs[2].Flags(), ProjectedRun::kBreakBefore | ProjectedRun::kInGroup);
    EXPECT_EQ(runs[3].Flags(), ProjectedRun::kBreakBefore);
    EXPECT_EQ(runs[2].source, doc.GetFirstElement()->link.next->link.next);

    // The pieces are the line pieces ProjectElements makes, vertex for vertex.
    CDtbEngine tree;
    ProjectElements(top, tree, doc.GetFirstElement(), nullptr, AcAxisParams{});
    std::vector<const CDtbLine*> lines;
    viewtest::CollectLines(tree.GetFirstElement(), lines);
    ASSERT_EQ(lines.size(), 11u);
    size_t k = 0;
    for (const ProjectedRun& run : runs)
        for (int i = 0; i < run.pieces; ++i, ++k) {
            const CxyData& a = layer.Vertices()[run.vertex + i];
            const CxyData& b = layer.Vertices()[run.vertex + i + 1];
            EXPECT_EQ(a.x, lines[k]->start.x);
            EXPECT_EQ(a.y, lines[k]->start.y);
            EXPECT_EQ(b.x, lines[k]->end.x);
            EXPECT_EQ(b.y, lines[k]->end.y);
        }
}

TEST(ProjectedLayer, HiddenElementsAreNotDrawnButCountInTheBoxAsInTheTree) {
    CDtbEngine doc;
    doc.Append(Line(0, 0, 10, 10));
    doc.Append(Line(-50, 0, 0, 80))->noDisplay = 1;
    CDtbNode* group = doc.Append(std::make_unique<CDtbNode>("Tessmark", "Punch", ""));
    group->noDisplay = 1;
    doc.NodeUp(group);
    doc.Append(std::make_unique<CDtbArc>(CxyzData(100, 0, 0), 20, 0, 360, 0, Info(8)));
    doc.NodeDown();
    ViewProjection iso;
    iso.SetViewType(kViewIso, 0, 0, 0);
    ProjectedLayer layer;
    layer.Project(iso, doc.GetFirstElement());
    ASSERT_EQ(layer.Runs().size(), 1u);

    CDtbEngine tree;
    ProjectElements(iso, tree, doc.GetFirstElement(), nullptr, AcAxisParams{});
    CxyData tmin(1e15, 1e15), tmax(-1e15, -1e15), pmin = tmin, pmax = tmax;
    ASSERT_EQ(tree.MinMax(&tmin, &tmax), 1);
    ASSERT_EQ(layer.MinMax(&pmin, &pmax), 1);
    EXPECT_EQ(pmin.x, tmin.x);
    EXPECT_EQ(pmin.y, tmin.y);
    EXPECT_EQ(pmax.x, tmax.x);
    EXPECT_EQ(pmax.y, tmax.y);

    ProjectedLayer empty;
    empty.Project(iso, nullptr);
    CxyData min(1e15, 1e15), max(-1e15, -1e15);
    EXPECT_EQ(empty.MinMax(&min, &max), 0);
    EXPECT_EQ(min.x, 1e15);
}

TEST(ProjectedLayer, ALayerTakenAsItStandsKeepsItsArcs) {
    CDtbEngine layerTree;
    layerTree.Append(Line(0, 0, 10, 0));
    layerTree.Append(std::make_unique<CDtbArc>(CxyzData(10, 10, 0), 10, 270, 360, 0, Info(4)));
    ProjectedLayer layer;
    layer.Flatten(layerTree.GetFirstElement());
    ASSERT_EQ(layer.Runs().size(), 2u);
    EXPECT_EQ(layer.Runs()[1].pieces, 0);
    EXPECT_TRUE(layer.Runs()[1].Flags() & ProjectedRun::kArc);
    CxyData min(1e15, 1e15), max(-1e15, -1e15);
    ASSERT_EQ(layer.MinMax(&min, &max), 1);
    EXPECT_DOUBLE_EQ(max.x, 20);  // the arc's own box
    EXPECT_DOUBLE_EQ(max.y, 10);
}
