// What lies under the cursor: the hit test, the element a hit stands for and its runs.
#include "views/model/ElemViewPick.h"

#include <gtest/gtest.h>

#include <memory>

#include "ViewTestSupport.h"
#include "views/model/ProjectedLayer.h"
#include "views/model/ViewWindow.h"

namespace {

using viewtest::Info;

std::unique_ptr<CDtbLine> Line(double x1, double y1, double x2, double y2, const char* line) {
    auto l = std::make_unique<CDtbLine>(CxyzData(x1, y1, 0), CxyzData(x2, y2, 0), Info(4));
    l->attributes.Add({std::string("LineNo=") + line, "PrtNo=0"});
    return l;
}

// 0..100 shown on a client of 200 x 200 pixels: 2 pixels a unit, y up.
ViewWindow Window() {
    ViewWindow w;
    w.xmin = 0;
    w.ymin = 0;
    w.xmax = 100;
    w.ymax = 100;
    FitAspect(w, 0, 0, 200, 200);
    return w;
}

ProjectedLayer Projected(const CDtbEngine& doc) {
    ViewProjection top;
    top.SetViewType(kViewTop, 0, 0, 0);
    ProjectedLayer layer;
    layer.Project(top, doc.GetFirstElement());
    return layer;
}

TEST(ElemViewPick, NearestLineWithinTenPixelsOnEachAxis) {
    CDtbEngine doc;
    CDtbLine* bottomLine = doc.Append(Line(0, 0, 100, 0, "3"));
    CDtbLine* rightLine = doc.Append(Line(100, 0, 100, 100, "4"));
    CDtbArc* circle =
        doc.Append(std::make_unique<CDtbArc>(CxyzData(50, 50, 0), 10, 0, 360, 0, Info(4)));
    const ProjectedLayer layer = Projected(doc);
    const ViewWindow w = Window();

    const ElemHover bottom = HoverAt(layer, w, 100, 198);
    ASSERT_EQ(bottom.element, bottomLine);
    EXPECT_EQ(ElementLines(*bottom.element), std::vector<int>{3});
    EXPECT_EQ(HoverAt(layer, w, 197, 100).element, rightLine);
    // The nearer of two; nothing 10 pixels away on an axis.
    EXPECT_EQ(HoverAt(layer, w, 197, 195).element, rightLine);
    EXPECT_EQ(HoverAt(layer, w, 195, 197).element, bottomLine);
    EXPECT_EQ(HoverAt(layer, w, 100, 190).element, nullptr);
    EXPECT_EQ(HoverAt(layer, w, 100, 191).element, bottomLine);
    EXPECT_EQ(HoverAt(layer, w, 150, 150).element, nullptr);
    // Any piece of the divided circle hovers the circle whole (no "LineNo=" text: no lines).
    const ElemHover arc = HoverAt(layer, w, 100 + 20, 100);
    ASSERT_EQ(arc.element, circle);
    EXPECT_EQ(arc.endRun - arc.firstRun, 1u);
    EXPECT_TRUE(ElementLines(*arc.element).empty());
    EXPECT_EQ(FirstNumber(*bottomLine, "PrtNo="), 0);
    EXPECT_EQ(FirstNumber(*circle, "PrtNo="), -1);
}

TEST(ElemViewPick, PiecesClimbToTheirArcHitAndPatternGroups) {
    CDtbEngine doc;
    doc.Append(Line(0, 90, 100, 90, "0"));
    // A divided arc of the reader: a "DevideArc" group of pieces.
    CDtbNode* divided =
        doc.Append(std::make_unique<CDtbNode>(kDtbOwnerTessmark, kDtbKindDevideArc, ""));
    doc.NodeUp(divided);
    doc.Append(Line(10, 10, 20, 12, "1"));
    doc.Append(Line(20, 12, 30, 10, "1"));
    doc.NodeDown();
    // A punch pattern: a "Punch" group of "Punch1" hits.
    CDtbNode* pattern =
        doc.Append(std::make_unique<CDtbNode>(kDtbOwnerTessmark, kDtbKindPunch, ""));
    doc.NodeUp(pattern);
    for (int hit = 0; hit < 2; ++hit) {
        CDtbNode* outline =
            doc.Append(std::make_unique<CDtbNode>(kDtbOwnerTessmark, kDtbKindPunch1, ""));
        doc.NodeUp(outline);
        const double x = 60 + 20 * hit;
        doc.Append(Line(x, 40, x + 5, 40, "2"));
        doc.Append(Line(x + 5, 40, x + 5, 45, "2"));
        doc.NodeDown();
    }
    doc.NodeDown();
    doc.Append(Line(0, 70, 100, 70, "3"));
    const ProjectedLayer layer = Projected(doc);
    const ViewWindow w = Window();
    ASSERT_EQ(layer.Runs().size(), 8u);

    const ElemHover arc = HoverAt(layer, w, 2 * 25, 200 - 2 * 11);
    EXPECT_EQ(arc.element, divided);
    EXPECT_EQ(arc.firstRun, 1u);
    EXPECT_EQ(arc.endRun, 3u);
    const ElemHover hit = HoverAt(layer, w, 2 * 87, 200 - 2 * 40);
    EXPECT_EQ(hit.element, pattern);
    EXPECT_EQ(hit.firstRun, 3u);
    EXPECT_EQ(hit.endRun, 7u);
    EXPECT_EQ(TopLevelOf(layer.Runs()[4].source), pattern);
    EXPECT_TRUE(IsWithin(layer.Runs()[4].source, pattern));
    EXPECT_FALSE(IsWithin(layer.Runs()[7].source, pattern));
}

}  // namespace
